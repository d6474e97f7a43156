// hfwindowprobe.dll: hfinspect.exe and hflayout.exe hook it into the Hookfast process. Asked through a
// registered message, it writes down, from inside that process, every window of the
// program's thread with what only the process itself can read: the font each control draws
// with, the tooltip tools, the tab items, the combo box entries, the focus and the cursor.
//
// One record a line, fields separated by tabs (a tab, a line break or a backslash inside a
// text is written as \t, \n or \\):
//   W hwnd parent owner name class style exstyle visible own-visible enabled
//     left top width height client-width client-height face font-height weight italic charset
//     font-width text
//       (left and top relative to the parent's client area; screen position for top-level windows)
//   T tabs index left top right bottom text      a tab control's item
//   D tabs left top right bottom rows            a tab control's page area
//   C combo index text                           a combo box's entry
//   H combo item-height field-height dropped-height
//   U updown buddy
//   P tooltip container tool text                a tool of a tooltip window
//   F focus                                      the window with the keyboard focus
//   K cursor                                     arrow, ibeam, cross, hand, wait or other
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/inspect/WindowLookup.h"

namespace {

using hf::lookup::ClassOf;
using hf::lookup::CollectWindow;
using hf::lookup::NameOf;

UINT ProbeMessage() {
    static const UINT message = RegisterWindowMessageA("HfProbe");
    return message;
}

std::string Escape(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '\t') out += "\\t";
        else if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else if (c == '\\') out += "\\\\";
        else out += c;
    }
    return out;
}

std::string Hex(UINT_PTR value) {
    char text[32];
    std::snprintf(text, sizeof text, "%lx", static_cast<unsigned long>(value));
    return text;
}

std::string Hwnd(HWND window) { return Hex(reinterpret_cast<UINT_PTR>(window)); }

std::string Text(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

class Report {
public:
    explicit Report(FILE* out) : out_(out) {}

    void Line(const std::vector<std::string>& fields) {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i != 0) std::fputc('\t', out_);
            std::fputs(fields[i].c_str(), out_);
        }
        std::fputc('\n', out_);
    }

    void Window(HWND window) {
        const LONG style = GetWindowLongA(window, GWL_STYLE);
        const bool child = (style & WS_CHILD) != 0;
        RECT rect{};
        GetWindowRect(window, &rect);
        if (child) MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
        RECT client{};
        GetClientRect(window, &client);
        LOGFONTA font{};
        const auto handle = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
        const bool hasFont = handle != nullptr && GetObjectA(handle, sizeof font, &font) != 0;
        const std::string cls = ClassOf(window);
        Line({"W", Hwnd(window), Hwnd(child ? GetParent(window) : nullptr),
              Hwnd(GetWindow(window, GW_OWNER)), Escape(NameOf(window)), cls, Hex(static_cast<DWORD>(style)),
              Hex(static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE))),
              IsWindowVisible(window) ? "1" : "0", (style & WS_VISIBLE) != 0 ? "1" : "0",
              IsWindowEnabled(window) ? "1" : "0", std::to_string(rect.left),
              std::to_string(rect.top), std::to_string(rect.right - rect.left),
              std::to_string(rect.bottom - rect.top), std::to_string(client.right),
              std::to_string(client.bottom), hasFont ? Escape(font.lfFaceName) : "",
              std::to_string(hasFont ? font.lfHeight : 0), std::to_string(hasFont ? font.lfWeight : 0),
              std::to_string(hasFont ? font.lfItalic : 0), std::to_string(hasFont ? font.lfCharSet : 0),
              std::to_string(hasFont ? font.lfWidth : 0),
              Escape(cls == TOOLTIPS_CLASSA ? std::string() : Text(window))});
        if (lstrcmpiA(cls.c_str(), WC_TABCONTROLA) == 0) Tabs(window);
        else if (lstrcmpiA(cls.c_str(), "ComboBox") == 0) Combo(window);
        else if (lstrcmpiA(cls.c_str(), UPDOWN_CLASSA) == 0) {
            Line({"U", Hwnd(window), Hwnd(reinterpret_cast<HWND>(SendMessageA(window, UDM_GETBUDDY, 0, 0)))});
        } else if (lstrcmpiA(cls.c_str(), TOOLTIPS_CLASSA) == 0) Tools(window);
    }

private:
    void Tabs(HWND tabs) {
        const auto count = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            RECT item{};
            SendMessageA(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
            std::array<char, 256> text{};
            TCITEMA info{};
            info.mask = TCIF_TEXT;
            info.pszText = text.data();
            info.cchTextMax = static_cast<int>(text.size());
            SendMessageA(tabs, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
            Line({"T", Hwnd(tabs), std::to_string(i), std::to_string(item.left), std::to_string(item.top),
                  std::to_string(item.right), std::to_string(item.bottom), Escape(text.data())});
        }
        RECT area{};
        GetClientRect(tabs, &area);
        SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
        Line({"D", Hwnd(tabs), std::to_string(area.left), std::to_string(area.top),
              std::to_string(area.right), std::to_string(area.bottom),
              std::to_string(SendMessageA(tabs, TCM_GETROWCOUNT, 0, 0))});
    }

    void Combo(HWND combo) {
        const auto count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            const auto length = SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
            std::string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
            SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
            text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
            Line({"C", Hwnd(combo), std::to_string(i), Escape(text)});
        }
        RECT dropped{};
        SendMessageA(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
        Line({"H", Hwnd(combo), std::to_string(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0)),
              std::to_string(SendMessageA(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0)),
              std::to_string(dropped.bottom - dropped.top)});
    }

    void Tools(HWND tooltip) {
        const auto count = static_cast<int>(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            std::array<char, 1024> text{};
            TOOLINFOA info{};
            info.cbSize = TTTOOLINFOA_V1_SIZE;
            info.lpszText = text.data();
            if (!SendMessageA(tooltip, TTM_ENUMTOOLSA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info))) {
                continue;
            }
            const HWND tool = (info.uFlags & TTF_IDISHWND) != 0 ? reinterpret_cast<HWND>(info.uId) : nullptr;
            Line({"P", Hwnd(tooltip), Hwnd(info.hwnd), Hwnd(tool), Escape(text.data())});
        }
    }

    FILE* out_;
};

const char* CursorKind() {
    const HCURSOR cursor = GetCursor();
    const std::array<std::pair<LPCSTR, const char*>, 5> kinds = {{{IDC_ARROW, "arrow"},
                                                                   {IDC_IBEAM, "ibeam"},
                                                                   {IDC_CROSS, "cross"},
                                                                   {IDC_HAND, "hand"},
                                                                   {IDC_WAIT, "wait"}}};
    for (const auto& [id, name] : kinds) {
        if (cursor == LoadCursor(nullptr, id)) return name;
    }
    return "other";
}

void WriteReport(const char* path) {
    FILE* out = std::fopen(path, "wb");
    if (out == nullptr) return;
    Report report(out);
    std::vector<HWND> tops;
    EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&tops));
    for (HWND top : tops) {
        report.Window(top);
        std::vector<HWND> children;
        EnumChildWindows(top, CollectWindow, reinterpret_cast<LPARAM>(&children));
        for (HWND child : children) report.Window(child);
    }
    report.Line({"F", Hwnd(GetFocus())});
    report.Line({"K", CursorKind()});
    std::fclose(out);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (call->message == ProbeMessage()) {
            char path[MAX_PATH] = {};
            if (GlobalGetAtomNameA(static_cast<ATOM>(call->wParam), path, sizeof path) != 0) WriteReport(path);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
