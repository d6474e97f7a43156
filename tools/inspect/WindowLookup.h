// Looking at the program's windows from another process: texts, class and model names,
// the windows below a window, the program's windows by name, waiting for a state. Shared by
// the tools that look at the program from outside (hfinspect, hflayout) and by their probe.
#pragma once

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "ui/win32/ControlNames.h"

namespace hf::lookup {

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
    const auto atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropA(window, hf::ControlNameProperty)));
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

// The top-level windows of the process.
inline std::vector<HWND> TopWindows(DWORD process) {
    std::vector<HWND> all;
    std::vector<HWND> mine;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&all));
    for (HWND window : all) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process) mine.push_back(window);
    }
    return mine;
}

// The window with that model name below (or being) the top-level window; null if none.
inline HWND FindBelow(HWND top, const std::string& name) {
    if (NameOf(top) == name) return top;
    for (HWND child : Descendants(top)) {
        if (NameOf(child) == name) return child;
    }
    return nullptr;
}

// The program's window with that model name ("application" for the window the taskbar
// shows), top-level or below one. The main window comes first: both windows have a
// btnReset, and the main window's is the one meant.
inline HWND FindNamed(HWND main, const std::string& name) {
    if (HWND found = FindBelow(main, name)) return found;
    DWORD process = 0;
    GetWindowThreadProcessId(main, &process);
    for (HWND top : TopWindows(process)) {
        if (name == "application" && ClassOf(top) == "TApplication") return top;
        if (HWND found = FindBelow(top, name)) return found;
    }
    return nullptr;
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
