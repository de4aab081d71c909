#include "platform/file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

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

// Writes what it is given to the file; while a test has set the fault hook,
// in chunks of 64 KiB, asking the hook before each.
//
// The bytes are gathered into blocks of 1 MiB. A file that fits in one block
// is written by the caller's thread when it is finished. For a larger file a
// second thread writes each block as soon as it is full, so the bytes are
// made and copied into the file at the same time; a few blocks at most wait
// between the two, so memory stays small whatever the file's size. A failed
// write stops the making at its next block.
class ChunkedWriter {
public:
    ChunkedWriter(int fd, std::string_view programPath) : fd_(fd), programPath_(programPath) {}
    ChunkedWriter(const ChunkedWriter&) = delete;
    ChunkedWriter& operator=(const ChunkedWriter&) = delete;

    ~ChunkedWriter() {
        // Given up on (the making threw): the thread is told to drop the rest.
        if (thread_.joinable()) {
            {
                std::lock_guard lock(mutex_);
                closing_ = true;
                abandoned_ = true;
            }
            changed_.notify_all();
            thread_.join();
        }
    }

    void put(std::string_view bytes) {
        while (!bytes.empty()) {
            if (!current_.data) current_ = takeBlock();
            if (current_.size == current_.capacity) {
                // Most files are small: the first block starts small and
                // grows to a whole block only when the file needs it.
                Block larger{std::make_unique_for_overwrite<char[]>(kBlock), current_.size, kBlock};
                std::memcpy(larger.data.get(), current_.data.get(), current_.size);
                current_ = std::move(larger);
            }
            const std::size_t take = std::min(current_.capacity - current_.size, bytes.size());
            std::memcpy(current_.data.get() + current_.size, bytes.data(), take);
            current_.size += take;
            bytes.remove_prefix(take);
            if (current_.size == kBlock) hand(std::exchange(current_, Block{}));
        }
    }

    // Writes what is left and waits for the writing thread; throws when any
    // write failed.
    void finish() {
        if (!thread_.joinable()) {
            if (current_.data) writeBlock(current_);
            return;
        }
        if (current_.size > 0) hand(std::exchange(current_, Block{}));
        {
            std::lock_guard lock(mutex_);
            closing_ = true;
        }
        changed_.notify_all();
        thread_.join();
        if (failure_) std::rethrow_exception(failure_);
    }

private:
    static constexpr std::size_t kChunk = 64 * 1024;
    static constexpr std::size_t kBlock = 1024 * 1024;
    static constexpr std::size_t kFirstBlock = 64 * 1024;
    static constexpr std::size_t kWaiting = 3;  // full blocks that may wait for the thread
    static constexpr std::size_t kWriteBehind = 1024 * 1024;

    struct Block {
        std::unique_ptr<char[]> data;
        std::size_t size = 0;
        std::size_t capacity = 0;
    };

    Block takeBlock() {
        std::lock_guard lock(mutex_);
        if (spare_.empty()) {
            // The first block of a file is small; later ones are whole blocks.
            const std::size_t capacity = anyBlockTaken_ ? kBlock : kFirstBlock;
            anyBlockTaken_ = true;
            return Block{std::make_unique_for_overwrite<char[]>(capacity), 0, capacity};
        }
        Block block = std::move(spare_.back());
        spare_.pop_back();
        block.size = 0;
        return block;
    }

    // A full block goes to the writing thread, which starts with the first.
    // Should no thread be had, the block is written here and now.
    void hand(Block block) {
        if (!thread_.joinable() && !alone_) {
            try {
                thread_ = std::thread([this] { run(); });
            } catch (const std::system_error&) {
                alone_ = true;
            }
        }
        if (alone_) {
            writeBlock(block);
            std::lock_guard lock(mutex_);
            spare_.push_back(std::move(block));
            return;
        }
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return waiting_.size() < kWaiting || failure_; });
        if (failure_) std::rethrow_exception(failure_);
        waiting_.push_back(std::move(block));
        lock.unlock();
        changed_.notify_all();
    }

    void run() {
        std::unique_lock lock(mutex_);
        for (;;) {
            changed_.wait(lock, [this] { return !waiting_.empty() || closing_; });
            if (waiting_.empty() || abandoned_) return;
            Block block = std::move(waiting_.front());
            waiting_.pop_front();
            lock.unlock();
            std::exception_ptr failure;
            try {
                writeBlock(block);
            } catch (...) {
                failure = std::current_exception();
            }
            lock.lock();
            spare_.push_back(std::move(block));
            if (failure) {
                failure_ = failure;
                waiting_.clear();
                changed_.notify_all();
                return;
            }
            changed_.notify_all();
        }
    }

    void writeBlock(const Block& block) {
        std::string_view rest(block.data.get(), block.size);
        // A test's fault hook is asked for every chunk; otherwise a block goes
        // in one write (larger writes cost the system less per byte).
        const std::size_t chunk = writeFaultHook() ? kChunk : kBlock;
        while (!rest.empty()) {
            const std::size_t n = std::min(chunk, rest.size());
            writeChunk(rest.substr(0, n));
            rest.remove_prefix(n);
        }
    }

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
        // The disk starts on what is written while the rest is made, so the
        // flush before the rename has little left to wait for.
        if (written_ - handedToDisk_ >= kWriteBehind) {
            ::sync_file_range(fd_, static_cast<off_t>(handedToDisk_),
                              static_cast<off_t>(written_ - handedToDisk_), SYNC_FILE_RANGE_WRITE);
            handedToDisk_ = written_;
        }
    }

    int fd_;
    std::string_view programPath_;
    Block current_;                 // the block being filled
    bool anyBlockTaken_ = false;
    std::size_t written_ = 0;       // touched by one thread at a time
    std::size_t handedToDisk_ = 0;  // bytes whose writing out has been started

    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Block> waiting_;  // full blocks, oldest first
    std::vector<Block> spare_;   // written blocks, for reuse
    bool alone_ = false;         // no thread could be started: blocks are written at once
    bool closing_ = false;       // no more blocks will come
    bool abandoned_ = false;     // the rest is not wanted
    std::exception_ptr failure_;
};

// Files from this size on are let go of off the caller's thread.
constexpr off_t kReleaseAsideFrom = 1024 * 1024;

// Closes the file on a thread of its own.
void closeAside(int fd) {
    try {
        std::thread([fd] { ::close(fd); }).detach();
    } catch (const std::system_error&) {
        ::close(fd);  // no thread to be had: closed here
    }
}

void syncFolder(const std::string& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // best effort: the rename is already done
    ::close(fd);
}

}  // namespace

std::string resolvePath(std::string_view programPath) {
    std::string result;
    if (!programPath.empty() && isSeparator(programPath.front())) result.push_back('/');
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

namespace {

FileIdentity identityOf(const struct stat& st) {
    return FileIdentity{static_cast<std::uint64_t>(st.st_dev),
                        static_cast<std::uint64_t>(st.st_ino),
                        static_cast<std::int64_t>(st.st_size),
                        st.st_mtim.tv_sec * 1'000'000'000LL + st.st_mtim.tv_nsec,
                        st.st_ctim.tv_sec * 1'000'000'000LL + st.st_ctim.tv_nsec};
}

}  // namespace

FileForReading::FileForReading(std::string_view programPath)
    : programPath_(programPath), path_(resolvePath(programPath)) {
    struct stat st;
    if (path_.empty() || ::stat(path_.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        throw cannotOpenFile(programPath);
    }
    fd_ = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) throw cannotOpenFile(programPath);
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd_);
        throw cannotOpenFile(programPath);
    }
    identity_ = identityOf(st);
}

FileForReading::~FileForReading() {
    ::close(fd_);
}

FileContent::FileContent(std::size_t capacity) : capacity_(capacity) {
    // The memory of a large file comes in huge pages where the system offers
    // them: a few faults instead of one per 4 KiB page, each of which would
    // clear its page before the read fills it.
    constexpr std::size_t kHugePage = 2 * 1024 * 1024;
    if (capacity >= 2 * kHugePage) {
        const std::size_t length = (capacity + kHugePage - 1) / kHugePage * kHugePage;
        void* mapping =
            ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapping != MAP_FAILED) {
            ::madvise(mapping, length, MADV_HUGEPAGE);  // a hint: no matter if refused
            data_ = static_cast<char*>(mapping);
            mapped_ = length;
            return;
        }
    }
    data_ = new char[capacity];
}

FileContent::~FileContent() {
    release();
}

void FileContent::release() {
    if (mapped_ != 0) {
        ::munmap(data_, mapped_);
    } else {
        delete[] data_;
    }
}

FileContent::FileContent(FileContent&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      capacity_(std::exchange(other.capacity_, 0)),
      size_(std::exchange(other.size_, 0)),
      mapped_(std::exchange(other.mapped_, 0)) {}

FileContent& FileContent::operator=(FileContent&& other) noexcept {
    if (this != &other) {
        release();
        data_ = std::exchange(other.data_, nullptr);
        capacity_ = std::exchange(other.capacity_, 0);
        size_ = std::exchange(other.size_, 0);
        mapped_ = std::exchange(other.mapped_, 0);
    }
    return *this;
}

FileContent FileForReading::readAll() {
    // One byte more than the size, so the end of the file is seen without
    // growing.
    FileContent content(identity_.size > 0 ? static_cast<std::size_t>(identity_.size) + 1 : 4096);
    std::size_t got = 0;
    for (;;) {
        if (got == content.capacity()) {  // the file grew while it was read
            FileContent larger(content.capacity() * 2);
            std::memcpy(larger.data(), content.data(), got);
            content = std::move(larger);
        }
        const ssize_t r = ::read(fd_, content.data() + got, content.capacity() - got);
        if (r < 0) {
            if (errno == EINTR) continue;
            throw cannotOpenFile(programPath_);
        }
        if (r == 0) break;
        got += static_cast<std::size_t>(r);
    }
    content.setSize(got);
    return content;
}

FileContent readFileContent(std::string_view programPath) {
    return FileForReading(programPath).readAll();
}

std::string readWholeFile(std::string_view programPath) {
    return std::string(readFileContent(programPath).view());
}

std::optional<FileIdentity> writeWholeFile(std::string_view programPath, std::string_view bytes) {
    return writeWholeFile(programPath, [bytes](const ByteSink& sink) { sink(bytes); });
}

std::optional<FileIdentity> writeWholeFile(std::string_view programPath,
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
        std::string tempName(1, '.');
        tempName.append(name, 0, 200);
        tempName += ".tmp-";
        tempName += std::to_string(::getpid());
        tempName += '-';
        tempName += std::to_string(++tempCounter);
        tempFile = std::make_unique<TempFile>(joinPath(folder, tempName));
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
    struct stat written;
    const bool known = ::fstat(fd, &written) == 0;
    if (!temp.close()) throw cannotCreateFile(programPath);
    // The replaced file's last name goes with the rename, and the system then
    // frees its cached pages there and then, which for a large file takes a
    // while. Held open here, it is freed when closed, off this thread.
    const int oldFile = replacing && st.st_size >= kReleaseAsideFrom
                            ? ::open(target.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)
                            : -1;
    if (::rename(temp.path().c_str(), target.c_str()) != 0) {
        if (oldFile >= 0) ::close(oldFile);
        throw cannotCreateFile(programPath);
    }
    temp.commit();
    if (oldFile >= 0) closeAside(oldFile);
    syncFolder(dir);
    // The rename changed the file's status time; the name still leads to
    // this very file unless another writer has replaced it since.
    struct stat now;
    if (!known || ::stat(target.c_str(), &now) != 0 || now.st_dev != written.st_dev ||
        now.st_ino != written.st_ino || now.st_size != written.st_size) {
        return std::nullopt;
    }
    return identityOf(now);
}

void setWriteFaultForTesting(std::function<bool(std::size_t bytesSoFar)> hook) {
    writeFaultHook() = std::move(hook);
}

}  // namespace sob
