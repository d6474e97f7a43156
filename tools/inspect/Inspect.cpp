// hfinspect: looks at the running Hookfast program's windows from another process and
// drives them, as the Wine tests need it.
//
//   hfinspect [--class NAME] [--wait SECONDS] COMMAND
//
// Controls and windows are named by their model names (a radio item "group.Items[i]"); the
// main window's come first, then the toolbar window's; "application" is the window the
// taskbar shows.
//
//   list                every window of the main window, one per line:
//                       class <TAB> id <TAB> name <TAB> visible <TAB> enabled <TAB> text
//   text NAME           the text of the control
//   items NAME          the entries of that combo box, one per line
//   checked NAME        1 when that check box is checked, else 0
//   wait-text NAME TEXT waits until the control's text contains TEXT; prints the text
//   click NAME          clicks the control as a user would: a button, toggle button, check
//                       box or radio item gets a click and the command returns once the
//                       program has handled it; a tab sheet's tab is selected. Refused
//                       (status 1) when the control is hidden or disabled, since a user
//                       could not click it either.
//   close               asks the main window to close (WM_CLOSE)
//   gone                waits until no main window exists any more
//   rect [NAME]         the window's place on the screen (default the main window):
//                       left top width height
//   client-rect [NAME]  the same for its client area
//   center NAME         the screen point in the middle of the window: x y
//   visible NAME        1 when the window is visible, else 0
//   minimized NAME      1 when the window is minimised, else 0
//   active              the name of the program's window in the foreground ("application"
//                       for the window the taskbar shows); nothing when another program's is
//   focus               the name of the control that has the keyboard focus
//   cursor              the mouse cursor the program shows: arrow, ibeam, cross, hand, wait, other
//   page NAME           the name of the sheet the tab control NAME shows
//   tips                the tooltip tools: the tool's name TAB the hint
//   shown-tips          the texts of the program's tooltips that are on the screen now
//   dialog              title TAB text of the program's message box on the screen
//   drop NAME           drops the combo box down, prints how many rows its list shows,
//                       closes it again
//   syscommand NAME minimize|restore|close
//                       posts the system command to the top-level window NAME
//   iconic NAME         minimises the top-level window NAME itself (ShowWindowAsync)
//   taskbar             the program's windows a taskbar lists (visible, not owned or marked
//                       for the taskbar, no tool window) as "window TAB text", then the
//                       buttons that Wine's shell taskbar has for the program as
//                       "button TAB text TAB left top width height" (screen)
//
// The main window is the top-level window of class NAME (default TFormMain); the commands
// wait up to SECONDS (default 10) for it, and wait-text and gone as long for their state.
// focus, cursor, page and tips ask the probe inside the program (hfwindowprobe.dll beside this
// tool). Texts are printed as the window holds them (Windows-1252 bytes). Exit status 0 on
// success, 1 when the window, the control or the text did not turn up, 2 on bad usage.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "tools/inspect/ProbeReport.h"
#include "tools/inspect/WindowLookup.h"

namespace {

using namespace hf::lookup;

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

void PrintRect(const RECT& r) {
    Print(std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + " " +
          std::to_string(r.bottom - r.top));
}

void PrintItems(HWND combo) {
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT item = 0; item < count; ++item) {
        // Entries cross the process boundary in full only as wide text.
        std::wstring wide(static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, item, 0)) + 1, L'\0');
        SendMessageW(combo, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(wide.data()));
        wide.resize(std::wcslen(wide.c_str()));
        std::string text(wide.size() * 2 + 1, '\0');
        const int length = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()),
                                               text.data(), static_cast<int>(text.size()), nullptr, nullptr);
        text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
        Print(text);
    }
}

// The rows the combo box's dropped list shows.
int DroppedRows(HWND combo, DWORD process) {
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    int rows = -1;
    WaitFor(3, [&] {
        for (HWND top : TopWindows(process)) {
            if (lstrcmpiA(ClassOf(top).c_str(), "ComboLBox") != 0 || !IsWindowVisible(top)) continue;
            RECT client{};
            GetClientRect(top, &client);
            const auto itemHeight = static_cast<int>(SendMessageA(top, LB_GETITEMHEIGHT, 0, 0));
            if (itemHeight > 0) rows = static_cast<int>(client.bottom / itemHeight);
            return true;
        }
        return false;
    });
    SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
    return rows;
}

// shown-tips and dialog: the program's tooltips and message box on the screen.
int ShownPopups(DWORD process, bool dialog) {
    bool found = false;
    for (HWND top : TopWindows(process)) {
        if (!IsWindowVisible(top)) continue;
        const std::string cls = ClassOf(top);
        if (!dialog && lstrcmpiA(cls.c_str(), TOOLTIPS_CLASSA) == 0) {
            Print(TextOf(top));
            found = true;
        } else if (dialog && cls == "#32770") {
            // The message's text is the box's static control with text.
            std::string message;
            for (HWND child : Descendants(top)) {
                if (lstrcmpiA(ClassOf(child).c_str(), "Static") == 0 && !TextOf(child).empty()) message = TextOf(child);
            }
            Print(TextOf(top) + "\t" + message);
            return 0;
        }
    }
    return found ? 0 : 1;
}

// focus, cursor, tips, page: from the probe's report.
int FromReport(HWND main, const std::string& command, const std::vector<std::string>& args) {
    const std::optional<Report> report = ReadReport(main);
    if (!report) return 1;
    if (command == "cursor") {
        Print(report->cursor);
    } else if (command == "focus") {
        const Window* w = report->Find(report->focus);
        Print(w != nullptr ? Describe(*w) : "");
    } else if (command == "tips") {
        for (const Tool& tool : report->tools) {
            const Window* w = report->Find(tool.tool);
            Print((w != nullptr ? Describe(*w) : "") + "\t" + tool.text);
        }
    } else {
        const Window* tabs = report->Named(args.at(0));
        if (tabs == nullptr) return 1;
        for (const Window& w : report->windows) {
            if (w.parent == tabs->hwnd && lstrcmpiA(w.cls.c_str(), "TTabSheet") == 0 && w.ownVisible) Print(w.name);
        }
    }
    return 0;
}

int Taskbar(DWORD process) {
    // What a taskbar lists: visible top-level windows that no window owns (or that ask for
    // a button) and that are no tool windows.
    for (HWND top : TopWindows(process)) {
        const LONG exStyle = GetWindowLongA(top, GWL_EXSTYLE);
        const bool owned = GetWindow(top, GW_OWNER) != nullptr;
        if (IsWindowVisible(top) && (exStyle & WS_EX_TOOLWINDOW) == 0 && (!owned || (exStyle & WS_EX_APPWINDOW) != 0)) {
            Print("window\t" + TextOf(top));
        }
    }
    // Wine's shell taskbar (a virtual desktop with its shell) keeps a button per window,
    // whose control id is that window.
    HWND tray = FindWindowA("Shell_TrayWnd", nullptr);
    std::vector<HWND> buttons;
    if (tray != nullptr) EnumChildWindows(tray, CollectWindow, reinterpret_cast<LPARAM>(&buttons));
    for (HWND button : buttons) {
        if (!IsWindowVisible(button)) continue;
        const auto target = reinterpret_cast<HWND>(static_cast<UINT_PTR>(GetWindowLongPtrA(button, GWLP_ID)));
        DWORD owner = 0;
        if (!IsWindow(target) || GetWindowThreadProcessId(target, &owner) == 0 || owner != process) continue;
        RECT place{};
        GetWindowRect(button, &place);
        Print("button\t" + TextOf(target) + "\t" + std::to_string(place.left) + " " + std::to_string(place.top) +
              " " + std::to_string(place.right - place.left) + " " + std::to_string(place.bottom - place.top));
    }
    return 0;
}

int Usage() {
    std::fputs("usage: hfinspect [--class NAME] [--wait SECONDS] COMMAND\n"
               "  list | text NAME | items NAME | checked NAME | wait-text NAME TEXT | click NAME | close | gone |\n"
               "  rect [NAME] | client-rect [NAME] | center NAME | visible NAME | minimized NAME | active | focus |\n"
               "  cursor | page NAME | tips | shown-tips | dialog | drop NAME | syscommand NAME minimize|restore|close |\n"
               "  iconic NAME | taskbar\n",
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
    DWORD process = 0;
    GetWindowThreadProcessId(main, &process);

    // Commands without a window name.
    if (command == "list" && args.empty()) {
        std::vector<HWND> windows{main};
        for (HWND child : Descendants(main)) windows.push_back(child);
        for (HWND window : windows) {
            Print(ClassOf(window) + "\t" + std::to_string(GetDlgCtrlID(window)) + "\t" + NameOf(window) + "\t" +
                  (IsWindowVisible(window) ? "1" : "0") + "\t" + (IsWindowEnabled(window) ? "1" : "0") + "\t" +
                  TextOf(window));
        }
        return 0;
    }
    if (command == "close" && args.empty()) {
        PostMessageA(main, WM_CLOSE, 0, 0);
        return 0;
    }
    if (command == "active" && args.empty()) {
        const HWND front = GetForegroundWindow();
        DWORD owner = 0;
        if (front != nullptr && GetWindowThreadProcessId(front, &owner) != 0 && owner == process) {
            Print(ClassOf(front) == "TApplication" ? "application" : NameOf(front));
        }
        return 0;
    }
    if ((command == "focus" || command == "cursor" || command == "tips") && args.empty()) {
        return FromReport(main, command, args);
    }
    if (command == "page" && args.size() == 1) return FromReport(main, command, args);
    if ((command == "shown-tips" || command == "dialog") && args.empty()) {
        return ShownPopups(process, command == "dialog");
    }
    if (command == "taskbar" && args.empty()) return Taskbar(process);
    if (command == "wait-text" && args.size() == 2) {
        std::string text;
        const bool found = WaitFor(waitSeconds, [&] {
            HWND control = FindNamed(main, args[0]);
            text = control != nullptr ? TextOf(control) : "";
            return control != nullptr && text.find(args[1]) != std::string::npos;
        });
        Print(text);
        return found ? 0 : 1;
    }

    // Commands on one window: the main window where rect and client-rect name none.
    HWND target = main;
    if (!args.empty()) {
        target = FindNamed(main, args[0]);
        if (target == nullptr) {
            std::fprintf(stderr, "hfinspect: no window named %s\n", args[0].c_str());
            return 1;
        }
    } else if (command != "rect" && command != "client-rect") {
        return Usage();
    }
    if (args.size() > (command == "syscommand" ? 2u : 1u)) return Usage();
    if (command == "text") {
        Print(TextOf(target));
    } else if (command == "items") {
        PrintItems(target);
    } else if (command == "checked") {
        Print(SendMessageA(target, BM_GETCHECK, 0, 0) == BST_CHECKED ? "1" : "0");
    } else if (command == "click") {
        return Click(target, args[0]);
    } else if (command == "rect") {
        RECT frame{};
        GetWindowRect(target, &frame);
        PrintRect(frame);
    } else if (command == "client-rect") {
        RECT client{};
        GetClientRect(target, &client);
        MapWindowPoints(target, nullptr, reinterpret_cast<POINT*>(&client), 2);
        PrintRect(client);
    } else if (command == "center") {
        RECT frame{};
        GetWindowRect(target, &frame);
        Print(std::to_string((frame.left + frame.right) / 2) + " " + std::to_string((frame.top + frame.bottom) / 2));
    } else if (command == "visible") {
        Print(IsWindowVisible(target) ? "1" : "0");
    } else if (command == "minimized") {
        Print(IsIconic(target) ? "1" : "0");
    } else if (command == "drop") {
        const int rows = DroppedRows(target, process);
        Print(std::to_string(rows));
        return rows > 0 ? 0 : 1;
    } else if (command == "iconic") {
        ShowWindowAsync(target, SW_MINIMIZE);
    } else if (command == "syscommand" && args.size() == 2) {
        const WPARAM code = args[1] == "minimize" ? SC_MINIMIZE
                            : args[1] == "restore" ? SC_RESTORE
                            : args[1] == "close"   ? SC_CLOSE
                                                   : 0;
        if (code == 0) return Usage();
        PostMessageA(target, WM_SYSCOMMAND, code, 0);
    } else {
        return Usage();
    }
    return 0;
}
