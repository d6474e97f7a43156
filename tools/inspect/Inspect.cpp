// hfinspect: looks at the Hookfast main window from another process.
//
//   hfinspect [--class NAME] [--wait SECONDS] COMMAND
//
//   list                    every window of the program's main window, one per line:
//                           class <TAB> id <TAB> name <TAB> visible <TAB> enabled <TAB> text
//   text NAME               the text of the control with that model name
//   items NAME              the entries of that combo box, one per line
//   checked NAME            1 when that check box is checked, else 0
//   wait-text NAME TEXT     waits until the control's text contains TEXT; prints the text
//   close                   asks the main window to close (WM_CLOSE)
//   gone                    waits until no main window exists any more
//   rect                    the main window's place: left top width height
//   client-rect             the same for its client area (without a window manager the
//                           frame is not drawn)
//
// The main window is the top-level window of class NAME (default TFormMain); the commands
// wait up to SECONDS (default 10) for it, and wait-text and gone as long for their state.
// Texts are printed as the window holds them (Windows-1252 bytes). Exit status 0 on
// success, 1 when the window, the control or the text did not turn up, 2 on bad usage.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "WindowLookup.h"

namespace {

using namespace hf::lookup;

HWND FindControl(HWND main, const std::string& name) {
    for (HWND child : Descendants(main)) {
        if (NameOf(child) == name) return child;
    }
    return nullptr;
}

int Usage() {
    std::fputs("usage: hfinspect [--class NAME] [--wait SECONDS] "
               "list | text NAME | items NAME | checked NAME | wait-text NAME TEXT | close | gone | rect | client-rect\n",
               stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const ToolCommand tool = ParseToolCommand(argc, argv);
    if (tool.command.empty()) return Usage();
    const auto& [windowClass, waitSeconds, command, args] = tool;

    const auto findMain = [&] { return FindWindowExA(nullptr, nullptr, windowClass.c_str(), nullptr); };
    if (command == "gone") {
        return WaitFor(waitSeconds, [&] { return findMain() == nullptr; }) ? 0 : 1;
    }
    HWND main = nullptr;
    if (!WaitFor(waitSeconds, [&] { return (main = findMain()) != nullptr; })) {
        std::fprintf(stderr, "hfinspect: no window of class %s\n", windowClass.c_str());
        return 1;
    }

    if (command == "list") {
        std::vector<HWND> windows{main};
        for (HWND child : Descendants(main)) windows.push_back(child);
        for (HWND window : windows) {
            Print(ClassOf(window) + "\t" + std::to_string(GetDlgCtrlID(window)) + "\t" +
                  NameOf(window) + "\t" + (IsWindowVisible(window) ? "1" : "0") + "\t" +
                  (IsWindowEnabled(window) ? "1" : "0") + "\t" + TextOf(window));
        }
        return 0;
    }
    if (command == "text" && args.size() == 1) {
        HWND control = FindControl(main, args[0]);
        if (control == nullptr) return 1;
        Print(TextOf(control));
        return 0;
    }
    if (command == "items" && args.size() == 1) {
        HWND control = FindControl(main, args[0]);
        if (control == nullptr) return 1;
        const LRESULT count = SendMessageA(control, CB_GETCOUNT, 0, 0);
        for (LRESULT item = 0; item < count; ++item) {
            // Entries cross the process boundary in full only as wide text.
            std::wstring wide(static_cast<std::size_t>(SendMessageW(control, CB_GETLBTEXTLEN, item, 0)) + 1, L'\0');
            SendMessageW(control, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(wide.data()));
            wide.resize(std::wcslen(wide.c_str()));
            std::string text(wide.size() * 2 + 1, '\0');
            const int length = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()),
                                                   text.data(), static_cast<int>(text.size()), nullptr, nullptr);
            text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
            Print(text);
        }
        return 0;
    }
    if (command == "checked" && args.size() == 1) {
        HWND control = FindControl(main, args[0]);
        if (control == nullptr) return 1;
        Print(SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? "1" : "0");
        return 0;
    }
    if (command == "wait-text" && args.size() == 2) {
        std::string text;
        const bool found = WaitFor(waitSeconds, [&] {
            HWND control = FindControl(main, args[0]);
            text = control != nullptr ? TextOf(control) : "";
            return control != nullptr && text.find(args[1]) != std::string::npos;
        });
        Print(text);
        return found ? 0 : 1;
    }
    if (command == "close") {
        PostMessageA(main, WM_CLOSE, 0, 0);
        return 0;
    }
    if (command == "rect") {
        RECT frame{};
        GetWindowRect(main, &frame);
        Print(std::to_string(frame.left) + " " + std::to_string(frame.top) + " " +
              std::to_string(frame.right - frame.left) + " " +
              std::to_string(frame.bottom - frame.top));
        return 0;
    }
    if (command == "client-rect") {
        RECT client{};
        GetClientRect(main, &client);
        POINT origin{0, 0};
        ClientToScreen(main, &origin);
        Print(std::to_string(origin.x) + " " + std::to_string(origin.y) + " " +
              std::to_string(client.right) + " " + std::to_string(client.bottom));
        return 0;
    }
    return Usage();
}
