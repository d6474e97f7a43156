// The profile files' operations on the POSIX file functions, for the native build.
#include "host/SystemFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>

namespace hf {

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { Close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    bool Valid() const { return fd_ >= 0; }
    int Get() const { return fd_; }
    bool Close() {
        if (!Valid()) return true;
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool WriteAll(int fd, std::string_view bytes, off_t at) {
    while (!bytes.empty()) {
        const ssize_t written = ::pwrite(fd, bytes.data(), bytes.size(), at);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
        at += written;
    }
    return true;
}

bool IsWritableFile(const std::string& path) {
    struct stat status;
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) && (status.st_mode & S_IWUSR) != 0;
}

}  // namespace

FileRead SystemFiles::ReadFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.Valid()) return errno == ENOENT || errno == ENOTDIR ? FileRead::Missing : FileRead::Failed;
    std::array<char, 65536> chunk;
    for (;;) {
        const ssize_t count = ::read(file.Get(), chunk.data(), chunk.size());
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) {
            bytes.clear();
            return FileRead::Failed;
        }
        if (count == 0) return FileRead::Read;
        bytes.append(chunk.data(), static_cast<std::size_t>(count));
    }
}

// Read-only as the owner's write permission says, whoever runs the program: the system's
// profile writer refuses such a file also where an administrator could write it.
FileAttributes SystemFiles::Attributes(const std::string& path) {
    struct stat status;
    if (::stat(path.c_str(), &status) != 0) return {};
    return {true, (status.st_mode & S_IWUSR) == 0, static_cast<std::uint32_t>(status.st_mode & 07777)};
}

bool SystemFiles::SetAttributes(const std::string& path, const FileAttributes& attributes) {
    if (!attributes.Exists) return true;
    return ::chmod(path.c_str(), static_cast<mode_t>((attributes.Bits & 07777) | S_IWUSR)) == 0;
}

FileCreate SystemFiles::CreateDurably(const std::string& path, std::string_view bytes) {
    Descriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!file.Valid()) return errno == EEXIST ? FileCreate::Exists : FileCreate::Failed;
    if (WriteAll(file.Get(), bytes, 0) && ::fsync(file.Get()) == 0 && file.Close()) {
        return FileCreate::Created;
    }
    file.Close();
    ::unlink(path.c_str());
    return FileCreate::Failed;
}

FileReplace SystemFiles::Replace(const std::string& from, const std::string& to) {
    if (std::rename(from.c_str(), to.c_str()) == 0) return FileReplace::Replaced;
    const bool refused = errno == EACCES || errno == EPERM || errno == EBUSY || errno == ETXTBSY;
    return refused && IsWritableFile(to) ? FileReplace::Held : FileReplace::Failed;
}

bool SystemFiles::Overwrite(const std::string& path, std::string_view bytes) {
    Descriptor file(::open(path.c_str(), O_WRONLY | O_CLOEXEC));
    struct stat status;
    if (!file.Valid() || ::fstat(file.Get(), &status) != 0) return false;
    const off_t oldLength = status.st_size;
    const auto newLength = static_cast<off_t>(bytes.size());
    // The room first: a full disk refuses the longer length before any byte has changed.
    if (newLength > oldLength && ::posix_fallocate(file.Get(), oldLength, newLength - oldLength) != 0) {
        static_cast<void>(::ftruncate(file.Get(), oldLength));
        return false;
    }
    const bool written = WriteAll(file.Get(), bytes, 0) &&
                         (newLength >= oldLength || ::ftruncate(file.Get(), newLength) == 0) &&
                         ::fsync(file.Get()) == 0;
    return file.Close() && written;
}

void SystemFiles::Remove(const std::string& path) { ::unlink(path.c_str()); }

}  // namespace hf
