// A program that opens the link against the stand-in and returns with it still open: the
// link's own stop at program end closes it through the system's port.
//   hflinkleftopen.exe        opens the link, prints the block's name, returns 0 with it open
//   hflinkleftopen.exe NAME   prints found=1 while a global atom NAME exists, found=0 after
#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "link/SimLink.h"
#include "link/Win32LinkPort.h"

int main(int argc, char** argv) {
    if (argc > 1) {
        std::printf("found=%d\n", GlobalFindAtomA(argv[1]) != 0 ? 1 : 0);
        return 0;
    }
    hf::SetLinkPort(&hf::SystemLinkPort());
    std::uint32_t code = 0;
    if (!hf::LinkOpen(0, code)) {
        std::printf("open failed with code %u\n", static_cast<unsigned>(code));
        return 3;
    }
    std::printf("block=FSASMLIB:IPC:%X:1\n", static_cast<unsigned>(GetCurrentProcessId()));
    std::fflush(stdout);
    return 0;
}
