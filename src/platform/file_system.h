#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace sob {

// Files the way the program addresses them.
//
// A program path is Windows-1251 text such as "Base\Words.Dat". A backslash or a
// slash separates folders. A path that starts with a separator is absolute (a
// path typed in Linux form, "/home/u/x.dat", works as typed); any other path is
// relative to the current working directory, so "D:\Txt.Dat" names the file
// "Txt.Dat" in a folder called "D:".
//
// Each part of the path is looked up without regard to letter case, by the
// Windows-1251 case rules (names on disk are UTF-8 and are compared after
// conversion, so Cyrillic names match case-insensitively too): "Base\Words.Dat"
// and "Base\Words.dat" both reach "Base/words.DAT". An entry whose name matches
// exactly wins; otherwise the first matching entry in byte order. A part that
// matches nothing keeps its name as written, so a file created anew takes the
// name the program gave it. "." and ".." are taken as they are.

// The operating-system path (UTF-8) that a program path reaches now.
std::string resolvePath(std::string_view programPath);

// Whether the program path names an existing regular file (or a link to one).
bool fileExists(std::string_view programPath);

// The whole content of the file. Throws cannotOpenFile(programPath) when the
// file is missing, is a folder or cannot be read.
std::string readWholeFile(std::string_view programPath);

// What tells one state of a file from another: the file itself (device and
// inode), its size, and the times of the last change of its content and of
// its status. A file replaced by another is another inode; any write to a file
// changes its status time, which nobody can set back. The one change that
// could pass unseen is a write in place that keeps the size, made within the
// same tick of the file system's clock as the last look at the times; since
// Linux 6.13 the common file systems give such a change a later time.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;  // content
    std::int64_t changedNs = 0;   // status
    bool operator==(const FileIdentity&) const = default;
};

// The bytes of a file read whole, for reading a large file without the cost
// of a string's cleared memory.
class FileContent {
public:
    // Memory for `capacity` bytes, not cleared; the bytes go in at data().
    explicit FileContent(std::size_t capacity);
    ~FileContent();
    FileContent(FileContent&& other) noexcept;
    FileContent& operator=(FileContent&& other) noexcept;
    FileContent(const FileContent&) = delete;
    FileContent& operator=(const FileContent&) = delete;

    char* data() { return data_; }
    std::size_t capacity() const { return capacity_; }
    void setSize(std::size_t size) { size_ = size; }
    std::string_view view() const { return {data_, size_}; }

private:
    void release();

    char* data_;
    std::size_t capacity_;
    std::size_t size_ = 0;
    std::size_t mapped_ = 0;  // the length of the mapping that holds the bytes, or 0
};

// readWholeFile into a FileContent, with the same errors.
FileContent readFileContent(std::string_view programPath);

// A file opened for reading, whose identity is known before it is read.
class FileForReading {
public:
    // Throws cannotOpenFile(programPath), as readWholeFile does.
    explicit FileForReading(std::string_view programPath);
    ~FileForReading();
    FileForReading(const FileForReading&) = delete;
    FileForReading& operator=(const FileForReading&) = delete;

    // The state of the file when it was opened.
    const FileIdentity& identity() const { return identity_; }
    // The whole content. Throws cannotOpenFile.
    FileContent readAll();

private:
    std::string programPath_;
    std::string path_;
    int fd_ = -1;
    FileIdentity identity_;
};

// Replaces the file with the bytes, atomically: the bytes go into a temporary
// file in the same folder, which is flushed to disk and renamed over the
// target, so a reader never sees half a file and a failure leaves the old file
// as it was. A replaced file keeps its permission bits; a link is followed and
// its target replaced. Throws cannotCreateFile(programPath) when the file
// cannot be written (missing or read-only folder, a read-only file, a folder in
// its place, a full disk); no temporary file is left behind.
//
// Returns the identity of the file written, or nothing when another writer has
// already replaced it.
std::optional<FileIdentity> writeWholeFile(std::string_view programPath, std::string_view bytes);

// Receives the bytes of a file being written, piece by piece, in order.
using ByteSink = std::function<void(std::string_view bytes)>;

// writeWholeFile with the bytes made while they are written: `produce` hands
// the whole content to the sink, in pieces of any size, so a large file is
// never held whole in memory. The same atomic replacement and errors; should
// `produce` throw, the old file stays as it was and the exception goes on.
std::optional<FileIdentity> writeWholeFile(std::string_view programPath,
                                           const std::function<void(const ByteSink&)>& produce);

// For crash-safety tests: writeWholeFile writes in chunks of at most 64 KiB and
// asks the hook before each chunk, with the number of bytes already written;
// when it answers true, that write fails with EIO as a real write error would.
// An empty function removes the hook. Not thread-safe: set it only while no
// write runs.
void setWriteFaultForTesting(std::function<bool(std::size_t bytesSoFar)> hook);

}  // namespace sob
