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
//   click NAME              clicks the control as a user would: a button, toggle button,
//                           check box or radio item (name "group.Items[i]") gets a click and
//                           the command returns once the program has handled it; a tab
//                           sheet's tab is selected. Refused (status 1) when the control is
//                           hidden or disabled, since a user could not click it either.
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
#include <commctrl.h>

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

// Enabled as a user meets it: the control and every window around it.
bool EnabledForUser(HWND window) {
    for (HWND w = window; w != nullptr; w = GetParent(w)) {
        if (!IsWindowEnabled(w)) return false;
    }
    return true;
}

// Selects the tab of a sheet the way a click on the tab does: the tab control tells its
// window of the change (TCN_SELCHANGE), which shows the sheet. The tab's index is found by
// trying each in turn until the sheet is the one shown.
int SelectTab(HWND sheet, const std::string& name) {
    HWND tabs = GetParent(sheet);
    if (!IsWindowVisible(tabs) || !EnabledForUser(tabs)) {
        std::fprintf(stderr, "hfinspect: the tabs of %s cannot be clicked\n", name.c_str());
        return 1;
    }
    DWORD_PTR count = 0;
    SendMessageTimeoutA(tabs, TCM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 10000, &count);
    for (DWORD_PTR index = 0; index < count && !IsWindowVisible(sheet); ++index) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(tabs, TCM_SETCURFOCUS, index, 0, SMTO_ABORTIFHUNG, 10000, &ignored);
    }
    if (IsWindowVisible(sheet)) return 0;
    std::fprintf(stderr, "hfinspect: no tab shows %s\n", name.c_str());
    return 1;
}

int Click(HWND control, const std::string& name) {
    if (GetParent(control) != nullptr && ClassOf(GetParent(control)) == WC_TABCONTROLA) {
        return SelectTab(control, name);
    }
    if (!IsWindowVisible(control) || !EnabledForUser(control)) {
        std::fprintf(stderr, "hfinspect: %s is %s\n", name.c_str(),
                     IsWindowVisible(control) ? "disabled" : "not visible");
        return 1;
    }
    // Answered when the program's handler has run (a reset or a radio call may take seconds).
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutA(control, BM_CLICK, 0, 0, SMTO_NORMAL, 60000, &ignored)) {
        std::fprintf(stderr, "hfinspect: the click on %s was not answered\n", name.c_str());
        return 1;
    }
    return 0;
}

int Usage() {
    std::fputs("usage: hfinspect [--class NAME] [--wait SECONDS] "
               "list | text NAME | items NAME | checked NAME | wait-text NAME TEXT | click NAME | close | gone |"
               " rect | client-rect\n",
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
    if (command == "click" && args.size() == 1) {
        HWND control = FindControl(main, args[0]);
        if (control == nullptr) {
            std::fprintf(stderr, "hfinspect: no control %s\n", args[0].c_str());
            return 1;
        }
        return Click(control, args[0]);
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
