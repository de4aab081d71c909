#include "platform/file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <memory>

#include "platform/cp1251.h"
#include "platform/errors.h"

namespace sob {

namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

std::string joinPath(const std::string& dir, const std::string& name) {
    if (dir.empty()) return name;
    if (dir.back() == '/') return dir + name;
    return dir + '/' + name;
}

// The entry of the folder whose name equals `part` without regard to letter
// case, or an empty text when there is none. A name on disk that is not plain
// Windows-1251 text in UTF-8 (it would not survive the conversion) can only be
// reached by its exact name, so it never matches here.
std::string findCaseInsensitive(const std::string& dir, std::string_view part) {
    std::unique_ptr<DIR, int (*)(DIR*)> d(opendir(dir.empty() ? "." : dir.c_str()), closedir);
    if (!d) return {};
    const std::string wanted = upperCase(part);
    std::string best;
    while (const dirent* e = readdir(d.get())) {
        const std::string_view name(e->d_name);
        if (name == "." || name == "..") continue;
        const std::string cp = fromUtf8(name);
        if (cp.size() != wanted.size() || upperCase(cp) != wanted) continue;
        if (toUtf8(cp) != name) continue;
        if (best.empty() || name < best) best = name;  // byte order makes the choice stable
    }
    return best;
}

std::function<bool(std::size_t)>& writeFaultHook() {
    static std::function<bool(std::size_t)> hook;
    return hook;
}

std::atomic<unsigned long> tempCounter{0};

// Removes the temporary file unless the write reached its end.
class TempFile {
public:
    explicit TempFile(std::string path) : path_(std::move(path)) {}
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile() {
        if (fd_ >= 0) ::close(fd_);
        if (!committed_) ::unlink(path_.c_str());
    }
    const std::string& path() const { return path_; }
    int fd() const { return fd_; }
    void setFd(int fd) { fd_ = fd; }
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }
    void commit() { committed_ = true; }

private:
    std::string path_;
    int fd_ = -1;
    bool committed_ = false;
};

// Writes what it is given to the file in chunks of at most 64 KiB, asking the
// fault hook before each chunk. Small pieces are gathered into a chunk first.
class ChunkedWriter {
public:
    ChunkedWriter(int fd, std::string_view programPath) : fd_(fd), programPath_(programPath) {
        buffer_.reserve(kChunk);
    }

    void put(std::string_view bytes) {
        if (!buffer_.empty()) {
            const std::size_t take = std::min(kChunk - buffer_.size(), bytes.size());
            buffer_.append(bytes.substr(0, take));
            bytes.remove_prefix(take);
            if (buffer_.size() < kChunk) return;
            writeChunk(buffer_);
            buffer_.clear();
        }
        // Whole chunks go straight from the caller's bytes.
        while (bytes.size() >= kChunk) {
            writeChunk(bytes.substr(0, kChunk));
            bytes.remove_prefix(kChunk);
        }
        buffer_.append(bytes);
    }

    void finish() {
        if (!buffer_.empty()) writeChunk(buffer_);
        buffer_.clear();
    }

private:
    static constexpr std::size_t kChunk = 64 * 1024;

    void writeChunk(std::string_view chunk) {
        const auto& hook = writeFaultHook();
        if (hook && hook(written_)) throw cannotCreateFile(programPath_);  // as a real EIO would
        while (!chunk.empty()) {
            const ssize_t w = ::write(fd_, chunk.data(), chunk.size());
            if (w < 0 && errno == EINTR) continue;
            if (w <= 0) throw cannotCreateFile(programPath_);
            chunk.remove_prefix(static_cast<std::size_t>(w));
            written_ += static_cast<std::size_t>(w);
        }
    }

    int fd_;
    std::string_view programPath_;
    std::string buffer_;
    std::size_t written_ = 0;
};

void syncFolder(const std::string& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // best effort: the rename is already done
    ::close(fd);
}

}  // namespace

std::string resolvePath(std::string_view programPath) {
    std::string result;
    if (!programPath.empty() && isSeparator(programPath.front())) result = "/";
    bool folderExists = true;  // while true, the folder `result` names exists on disk
    std::size_t pos = 0;
    while (pos < programPath.size()) {
        std::size_t end = pos;
        while (end < programPath.size() && !isSeparator(programPath[end])) ++end;
        const std::string_view part = programPath.substr(pos, end - pos);
        pos = end + 1;
        if (part.empty()) continue;

        std::string name = toUtf8(part);
        if (folderExists && part != "." && part != "..") {
            struct stat st;
            if (::lstat(joinPath(result, name).c_str(), &st) != 0) {
                std::string found = findCaseInsensitive(result, part);
                if (found.empty()) {
                    folderExists = false;
                } else {
                    name = std::move(found);
                }
            }
        }
        result = joinPath(result, name);
    }
    return result;
}

bool fileExists(std::string_view programPath) {
    struct stat st;
    return ::stat(resolvePath(programPath).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string readWholeFile(std::string_view programPath) {
    const std::string path = resolvePath(programPath);
    struct stat st;
    if (path.empty() || ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        throw cannotOpenFile(programPath);
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw cannotOpenFile(programPath);
    std::string content;
    std::size_t got = 0;
    // One byte more than the size, so the end of the file is seen without a resize.
    content.resize(
        ::fstat(fd, &st) == 0 && st.st_size > 0 ? static_cast<std::size_t>(st.st_size) + 1 : 4096);
    for (;;) {
        if (got == content.size()) content.resize(content.size() * 2);  // the file grew
        const ssize_t r = ::read(fd, content.data() + got, content.size() - got);
        if (r < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            throw cannotOpenFile(programPath);
        }
        if (r == 0) break;
        got += static_cast<std::size_t>(r);
    }
    content.resize(got);
    ::close(fd);
    return content;
}

void writeWholeFile(std::string_view programPath, std::string_view bytes) {
    writeWholeFile(programPath, [bytes](const ByteSink& sink) { sink(bytes); });
}

void writeWholeFile(std::string_view programPath,
                    const std::function<void(const ByteSink&)>& produce) {
    std::string target = resolvePath(programPath);
    if (target.empty()) throw cannotCreateFile(programPath);

    // A link is followed, so the file it points at is replaced and the link stays.
    struct stat st;
    bool replacing = false;
    if (::lstat(target.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* real = ::realpath(target.c_str(), nullptr)) {
            target = real;
            std::free(real);
        }
    }
    if (::stat(target.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode)) throw cannotCreateFile(programPath);
        // A file the user may not write (marked read-only) is not replaced,
        // although its folder would let a new file take its place.
        if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
            throw cannotCreateFile(programPath);
        replacing = true;
    }

    const std::size_t slash = target.rfind('/');
    const std::string dir =
        slash == std::string::npos ? "." : target.substr(0, slash == 0 ? 1 : slash);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    if (name.empty()) throw cannotCreateFile(programPath);

    // A unique name beside the target; the name part is cut so the whole stays
    // within the file system's limit on name length. A name left behind by a
    // crashed run with the same process id is passed over.
    const std::string folder = slash == std::string::npos ? std::string() : dir;
    std::unique_ptr<TempFile> tempFile;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        tempFile = std::make_unique<TempFile>(
            joinPath(folder, "." + name.substr(0, 200) + ".tmp-" + std::to_string(::getpid()) +
                                 "-" + std::to_string(++tempCounter)));
        fd = ::open(tempFile->path().c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            tempFile->commit();  // nothing was created
            if (errno != EEXIST) break;
        }
    }
    if (fd < 0) throw cannotCreateFile(programPath);
    TempFile& temp = *tempFile;
    temp.setFd(fd);

    if (replacing) {
        // Keep the owner where we may (only root can give a file away) and the mode.
        if (st.st_uid != ::geteuid() || st.st_gid != ::getegid()) {
            [[maybe_unused]] int ignored = ::fchown(fd, st.st_uid, st.st_gid);
        }
        if (::fchmod(fd, st.st_mode & 07777) != 0) throw cannotCreateFile(programPath);
    }
    ChunkedWriter writer(fd, programPath);
    produce([&writer](std::string_view bytes) { writer.put(bytes); });
    writer.finish();
    if (::fdatasync(fd) != 0) throw cannotCreateFile(programPath);
    if (!temp.close()) throw cannotCreateFile(programPath);
    if (::rename(temp.path().c_str(), target.c_str()) != 0) throw cannotCreateFile(programPath);
    temp.commit();
    syncFolder(dir);
}

void setWriteFaultForTesting(std::function<bool(std::size_t bytesSoFar)> hook) {
    writeFaultHook() = std::move(hook);
}

}  // namespace sob
