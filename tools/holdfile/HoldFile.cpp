// hfholdfile: holds a file open as a text editor, a backup or a sync tool does, for the
// Wine tests of the settings file.
//
//   hfholdfile FILE STOPFILE
//
// Opens FILE for reading and writing, sharing its reading and writing but not its deletion
// (so it cannot be replaced meanwhile), prints "held" and keeps it open until STOPFILE
// exists (at most 10 minutes). Then it reads the file through its own handle, prints
// "bytes=N" with the number of bytes it saw there and ends with 0. Status 1 when FILE cannot
// be opened or read, 2 on bad usage.
#include <windows.h>

#include <array>
#include <cstdio>

namespace {

bool Exists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: hfholdfile FILE STOPFILE\n");
        return 2;
    }
    const HANDLE file = CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "hfholdfile: cannot open %s (error %lu)\n", argv[1], GetLastError());
        return 1;
    }
    std::printf("held\n");
    std::fflush(stdout);
    for (int tick = 0; tick < 6000 && !Exists(argv[2]); ++tick) Sleep(100);

    std::size_t seen = 0;
    bool read = SetFilePointer(file, 0, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER;
    std::array<char, 4096> chunk;
    while (read) {
        DWORD count = 0;
        read = ReadFile(file, chunk.data(), static_cast<DWORD>(chunk.size()), &count, nullptr) != 0;
        if (count == 0) break;
        seen += count;
    }
    CloseHandle(file);
    std::printf("bytes=%zu\n", seen);
    return read ? 0 : 1;
}
