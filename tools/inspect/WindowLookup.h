// Looking at the program's windows from another process: texts, class and model names,
// the windows below a window, waiting for a state. Shared by the tools that check the
// program from outside (hfinspect, hflayout) and by hflayout's probe.
#pragma once

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace hf::lookup {

// The property in which the program keeps each window's model name, as a global atom.
inline constexpr const char* NameProperty = "HfName";

// WM_GETTEXT, not GetWindowText: the latter gives only the caption stored with the window,
// and an edit control in another process keeps its text elsewhere.
inline std::string TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) {
        return "";
    }
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 2000, &copied);
    text.resize(std::strlen(text.c_str()));
    return text;
}

inline std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// The model name the program gave the window; empty for windows it did not name.
inline std::string NameOf(HWND window) {
    const auto atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropA(window, NameProperty)));
    if (atom == 0) return "";
    char name[256] = {};
    GlobalGetAtomNameA(atom, name, sizeof name);
    return name;
}

inline BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

inline std::vector<HWND> Descendants(HWND window) {
    std::vector<HWND> all;
    EnumChildWindows(window, CollectWindow, reinterpret_cast<LPARAM>(&all));
    return all;
}

inline void Print(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
}

// Polls every 100 ms until `done` or the time is up.
template <class Done>
bool WaitFor(double seconds, Done done) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (done()) return true;
        if (GetTickCount() - start >= static_cast<DWORD>(seconds * 1000)) return false;
        Sleep(100);
    }
}

// A tool's command line: --class NAME (the main window's class, default TFormMain) and
// --wait SECONDS (default 10), then the command and its arguments. No command when an
// option is unknown or nothing follows the options.
struct ToolCommand {
    std::string windowClass = "TFormMain";
    double waitSeconds = 10;
    std::string command;
    std::vector<std::string> args;
};

inline ToolCommand ParseToolCommand(int argc, char** argv) {
    ToolCommand parsed;
    int i = 1;
    for (; i + 1 < argc && std::strncmp(argv[i], "--", 2) == 0; i += 2) {
        if (std::strcmp(argv[i], "--class") == 0) {
            parsed.windowClass = argv[i + 1];
        } else if (std::strcmp(argv[i], "--wait") == 0) {
            parsed.waitSeconds = std::atof(argv[i + 1]);
        } else {
            return parsed;
        }
    }
    if (i < argc) {
        parsed.command = argv[i];
        parsed.args.assign(argv + i + 1, argv + argc);
    }
    return parsed;
}

}  // namespace hf::lookup
