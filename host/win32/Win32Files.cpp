// The profile files' operations on the wide Win32 file functions: a path reaches the file
// by its real name whatever the ANSI code page can write.
#include "host/SystemFiles.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdint>

#include "host/win32/WidePath.h"

namespace hf {

namespace {

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    bool Close() {
        if (!Valid()) return true;
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return CloseHandle(handle) != 0;
    }

private:
    HANDLE handle_;
};

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

bool SetLength(HANDLE file, std::uint64_t length) {
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(length);
    return SetFilePointerEx(file, at, nullptr, FILE_BEGIN) && SetEndOfFile(file);
}

bool Rewind(HANDLE file) {
    LARGE_INTEGER start{};
    return SetFilePointerEx(file, start, nullptr, FILE_BEGIN) != 0;
}

DWORD AttributeBits(const std::string& path) { return GetFileAttributesW(WidePath(path).c_str()); }

bool Exists(const std::string& path) { return AttributeBits(path) != INVALID_FILE_ATTRIBUTES; }

bool IsWritableFile(const std::string& path) {
    const DWORD bits = AttributeBits(path);
    return bits != INVALID_FILE_ATTRIBUTES &&
           (bits & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) == 0;
}

}  // namespace

FileRead SystemFiles::ReadFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    // Shared for reading and writing, as the C library's reader opens it: an editor may
    // have the file open.
    FileHandle file(CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileRead::Missing
                                                                              : FileRead::Failed;
    }
    std::array<char, 65536> chunk;
    for (;;) {
        DWORD count = 0;
        if (!::ReadFile(file.Get(), chunk.data(), static_cast<DWORD>(chunk.size()), &count, nullptr)) {
            bytes.clear();
            return FileRead::Failed;
        }
        if (count == 0) return FileRead::Read;
        bytes.append(chunk.data(), count);
    }
}

FileAttributes SystemFiles::Attributes(const std::string& path) {
    const DWORD bits = AttributeBits(path);
    if (bits == INVALID_FILE_ATTRIBUTES) return {};
    return {true, (bits & FILE_ATTRIBUTE_READONLY) != 0, bits};
}

bool SystemFiles::SetAttributes(const std::string& path, const FileAttributes& attributes) {
    if (!attributes.Exists) return true;
    constexpr DWORD Kept = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                           FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const DWORD bits = attributes.Bits & Kept;
    return SetFileAttributesW(WidePath(path).c_str(), bits != 0 ? bits : FILE_ATTRIBUTE_NORMAL) != 0;
}

FileCreate SystemFiles::CreateDurably(const std::string& path, std::string_view bytes) {
    FileHandle file(CreateFileW(WidePath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        // A folder of that name, or a file still being deleted, refuses with access denied.
        const DWORD error = GetLastError();
        const bool taken = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ||
                           (error == ERROR_ACCESS_DENIED && Exists(path));
        return taken ? FileCreate::Exists : FileCreate::Failed;
    }
    if (WriteAll(file.Get(), bytes) && FlushFileBuffers(file.Get()) && file.Close()) {
        return FileCreate::Created;
    }
    file.Close();
    DeleteFileW(WidePath(path).c_str());
    return FileCreate::Failed;
}

FileReplace SystemFiles::Replace(const std::string& from, const std::string& to) {
    if (MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return FileReplace::Replaced;
    }
    // Another program holding the file open (an editor, a backup tool) makes the system
    // refuse the replace with access denied or a sharing violation; a read-only file or a
    // folder is refused for good.
    const DWORD error = GetLastError();
    const bool sharing = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ||
                         error == ERROR_LOCK_VIOLATION;
    return sharing && IsWritableFile(to) ? FileReplace::Held : FileReplace::Failed;
}

bool SystemFiles::Overwrite(const std::string& path, std::string_view bytes) {
    FileHandle file(CreateFileW(WidePath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size)) return false;
    const auto oldLength = static_cast<std::uint64_t>(size.QuadPart);
    const std::uint64_t newLength = bytes.size();
    // The room first: a full disk refuses the longer length before any byte has changed.
    if (newLength > oldLength && !SetLength(file.Get(), newLength)) {
        SetLength(file.Get(), oldLength);
        return false;
    }
    const bool written = Rewind(file.Get()) && WriteAll(file.Get(), bytes) &&
                         (newLength >= oldLength || SetLength(file.Get(), newLength)) &&
                         FlushFileBuffers(file.Get());
    return file.Close() && written;
}

void SystemFiles::Remove(const std::string& path) { DeleteFileW(WidePath(path).c_str()); }

}  // namespace hf
