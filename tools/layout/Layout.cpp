// hflayout: looks at the running Hookfast program's windows from another process, as the
// layout, keyboard and placement tests need them.
//
//   hflayout [--class NAME] [--wait SECONDS] COMMAND
//
//   check [--texts FILE] [--table FILE]
//                     every text in every window measured with the control's own font and
//                     wrapping, every control inside its parent and clear of its siblings,
//                     the fixed window sizes; FILE of --texts adds texts (NAME TAB TEXT a
//                     line) measured as if the control NAME held them; --table writes every
//                     window with its measures. Problems on stdout, exit status 1 if any.
//   report FILE       the raw report of the probe (see Probe.cpp)
//   focus             the name of the control that has the keyboard focus
//   cursor            the mouse cursor the program shows: arrow, ibeam, cross, hand, wait, other
//   page NAME         the name of the sheet the tab control NAME shows
//   tips              the tooltip tools: the tool's name TAB the hint
//   visible NAME      1 when the window NAME is visible, else 0
//   minimized NAME    1 when the window NAME is minimised, else 0
//   active            the name of the program's window in the foreground ("application" for
//                     the window the taskbar shows); nothing when another program's is
//   rect NAME         the window's place on the screen: left top width height
//   center NAME       the screen point in the middle of the window: x y
//   click NAME        posts a click to the button NAME
//   drop NAME         drops the combo box NAME down, prints how many rows its list shows,
//                     closes it again
//   syscommand NAME minimize|restore|close
//                     posts the system command to the top-level window NAME (a form's name,
//                     or "application" for the window the taskbar shows)
//   iconic NAME       minimises the top-level window NAME itself (ShowWindowAsync)
//   taskbar           the program's windows a taskbar lists (visible, not owned or marked for
//                     the taskbar, no tool window) as "window TAB text", then the buttons
//                     that Wine's shell taskbar has for the program as
//                     "button TAB text TAB left top width height" (screen)
//   shown-tips        the texts of the program's tooltips that are on the screen now
//   dialog            title TAB text of the program's message box on the screen
//
// The program is found by its top-level window of class NAME (default TFormMain), waited for
// up to SECONDS (default 10). Texts are Windows-1252 as the program holds them. Exit status
// 0 on success, 1 when something is not there or a check fails, 2 on bad usage.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "tools/inspect/WindowLookup.h"

namespace {

using namespace hf::lookup;

// --- the program's windows -----------------------------------------------------------------

struct Tab {
    int index = 0;
    RECT rect{};
    std::string text;
};

struct Window {
    HWND hwnd = nullptr;
    HWND parent = nullptr;
    HWND owner = nullptr;
    std::string name;
    std::string cls;
    DWORD style = 0;
    DWORD exStyle = 0;
    bool visible = false;
    bool ownVisible = false;
    bool enabled = false;
    RECT rect{};  // in the parent's client area; on the screen for top-level windows
    int clientWidth = 0;
    int clientHeight = 0;
    std::optional<LOGFONTA> font;
    std::string text;
    std::vector<Tab> tabs;
    RECT pageArea{};
    int rows = 0;
    std::vector<std::string> items;
    int itemHeight = 0;
    int droppedHeight = 0;
    HWND buddy = nullptr;
};

struct Tool {
    HWND tooltip = nullptr;
    HWND container = nullptr;
    HWND tool = nullptr;
    std::string text;
};

struct Report {
    std::vector<Window> windows;
    std::vector<Tool> tools;
    HWND focus = nullptr;
    std::string cursor;

    const Window* Find(HWND hwnd) const {
        for (const Window& w : windows) {
            if (w.hwnd == hwnd) return &w;
        }
        return nullptr;
    }
    const Window* Named(const std::string& name) const {
        for (const Window& w : windows) {
            if (w.name == name) return &w;
        }
        return nullptr;
    }
};

std::string Unescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char c = text[++i];
            out += c == 't' ? '\t' : c == 'n' ? '\n' : c == 'r' ? '\r' : c;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::vector<std::string> Split(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(Unescape(line.substr(start, tab - start)));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

HWND HandleOf(const std::string& hex) {
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoul(hex.c_str(), nullptr, 16)));
}

int Int(const std::string& text) { return std::atoi(text.c_str()); }

Report ParseReport(const std::string& contents) {
    Report report;
    std::istringstream lines(contents);
    std::string line;
    std::map<HWND, std::size_t> at;
    const auto window = [&](const std::string& hex) -> Window* {
        const auto found = at.find(HandleOf(hex));
        return found == at.end() ? nullptr : &report.windows[found->second];
    };
    while (std::getline(lines, line)) {
        const std::vector<std::string> f = Split(line);
        if (f.empty()) continue;
        if (f[0] == "W" && f.size() >= 24) {
            Window w;
            w.hwnd = HandleOf(f[1]);
            w.parent = HandleOf(f[2]);
            w.owner = HandleOf(f[3]);
            w.name = f[4];
            w.cls = f[5];
            w.style = std::strtoul(f[6].c_str(), nullptr, 16);
            w.exStyle = std::strtoul(f[7].c_str(), nullptr, 16);
            w.visible = f[8] == "1";
            w.ownVisible = f[9] == "1";
            w.enabled = f[10] == "1";
            w.rect = {Int(f[11]), Int(f[12]), Int(f[11]) + Int(f[13]), Int(f[12]) + Int(f[14])};
            w.clientWidth = Int(f[15]);
            w.clientHeight = Int(f[16]);
            if (!f[17].empty()) {
                LOGFONTA font{};
                lstrcpynA(font.lfFaceName, f[17].c_str(), LF_FACESIZE);
                font.lfHeight = Int(f[18]);
                font.lfWeight = Int(f[19]);
                font.lfItalic = static_cast<BYTE>(Int(f[20]));
                font.lfCharSet = static_cast<BYTE>(Int(f[21]));
                font.lfWidth = Int(f[22]);
                w.font = font;
            }
            w.text = f[23];
            at[w.hwnd] = report.windows.size();
            report.windows.push_back(std::move(w));
        } else if (f[0] == "T" && f.size() >= 8) {
            if (Window* w = window(f[1])) {
                w->tabs.push_back({Int(f[2]), {Int(f[3]), Int(f[4]), Int(f[5]), Int(f[6])}, f[7]});
            }
        } else if (f[0] == "D" && f.size() >= 7) {
            if (Window* w = window(f[1])) {
                w->pageArea = {Int(f[2]), Int(f[3]), Int(f[4]), Int(f[5])};
                w->rows = Int(f[6]);
            }
        } else if (f[0] == "C" && f.size() >= 4) {
            if (Window* w = window(f[1])) w->items.push_back(f[3]);
        } else if (f[0] == "H" && f.size() >= 5) {
            if (Window* w = window(f[1])) {
                w->itemHeight = Int(f[2]);
                w->droppedHeight = Int(f[4]);
            }
        } else if (f[0] == "U" && f.size() >= 3) {
            if (Window* w = window(f[1])) w->buddy = HandleOf(f[2]);
        } else if (f[0] == "P" && f.size() >= 5) {
            report.tools.push_back({HandleOf(f[1]), HandleOf(f[2]), HandleOf(f[3]), f[4]});
        } else if (f[0] == "F" && f.size() >= 2) {
            report.focus = HandleOf(f[1]);
        } else if (f[0] == "K" && f.size() >= 2) {
            report.cursor = f[1];
        }
    }
    return report;
}

std::string ModuleFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

// Hooks the probe into the program's thread and asks it for the report.
std::optional<std::string> ReadReport(HWND main) {
    const DWORD thread = GetWindowThreadProcessId(main, nullptr);
    const HMODULE probe = LoadLibraryA((ModuleFolder() + "hflayoutprobe.dll").c_str());
    if (probe == nullptr) {
        std::fprintf(stderr, "hflayout: cannot load hflayoutprobe.dll\n");
        return std::nullopt;
    }
    const auto hook = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(probe, "ProbeHook")));
    HHOOK handle = hook != nullptr ? SetWindowsHookExA(WH_CALLWNDPROC, hook, probe, thread) : nullptr;
    if (handle == nullptr) {
        std::fprintf(stderr, "hflayout: cannot hook the program's thread\n");
        return std::nullopt;
    }
    char folder[MAX_PATH] = {};
    char path[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "hfl", 0, path);
    const ATOM atom = GlobalAddAtomA(path);
    DWORD_PTR result = 0;
    const bool answered = SendMessageTimeoutA(main, RegisterWindowMessageA("HfLayoutProbe"), atom, 0,
                                              SMTO_ABORTIFHUNG, 15000, &result) != 0;
    UnhookWindowsHookEx(handle);
    GlobalDeleteAtom(atom);
    std::ifstream in(path, std::ios::binary);
    std::stringstream contents;
    contents << in.rdbuf();
    in.close();
    DeleteFileA(path);
    if (!answered || contents.str().empty()) {
        std::fprintf(stderr, "hflayout: the program wrote no report\n");
        return std::nullopt;
    }
    return contents.str();
}

// --- measuring -------------------------------------------------------------------------------

struct Measure {
    int width = 0;
    int height = 0;
};

class Ruler {
public:
    Ruler() : dc_(CreateCompatibleDC(nullptr)) {}
    ~Ruler() {
        DeleteDC(dc_);
        for (const auto& [key, font] : fonts_) DeleteObject(font);
    }
    Ruler(const Ruler&) = delete;
    Ruler& operator=(const Ruler&) = delete;

    // Selects the control's font; gives the face the system really draws with.
    std::string Use(const LOGFONTA& description) {
        const std::string key = std::string(description.lfFaceName) + "/" + std::to_string(description.lfHeight) +
                                "/" + std::to_string(description.lfWidth) + "/" + std::to_string(description.lfWeight);
        auto found = fonts_.find(key);
        if (found == fonts_.end()) found = fonts_.emplace(key, CreateFontIndirectA(&description)).first;
        SelectObject(dc_, found->second);
        char face[LF_FACESIZE] = {};
        GetTextFaceA(dc_, LF_FACESIZE, face);
        return face;
    }
    Measure Extent(const std::string& text) {
        SIZE size{};
        GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &size);
        return {size.cx, LineHeight()};
    }
    int LineHeight() {
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc_, &metrics);
        return metrics.tmHeight;
    }
    int CharWidth(char c) {
        INT width = 0;
        GetCharWidth32A(dc_, static_cast<UINT>(static_cast<unsigned char>(c)),
                        static_cast<UINT>(static_cast<unsigned char>(c)), &width);
        return width;
    }
    // DrawText's own layout of the text in a box of the given width.
    Measure Layout(const std::string& text, int width, UINT format) {
        RECT box{0, 0, width, 0};
        DrawTextA(dc_, text.c_str(), static_cast<int>(text.size()), &box, format | DT_CALCRECT);
        return {box.right - box.left, box.bottom - box.top};
    }

private:
    HDC dc_;
    std::map<std::string, HFONT> fonts_;
};

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The text without its "&" marks, as a control that underlines accelerators shows it.
std::string Shown(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;
        out += text[i];
    }
    return out;
}

bool IsClass(const Window& w, const char* cls) { return lstrcmpiA(w.cls.c_str(), cls) == 0; }

DWORD ButtonType(const Window& w) { return w.style & BS_TYPEMASK; }

bool IsGroupBox(const Window& w) { return IsClass(w, "Button") && ButtonType(w) == BS_GROUPBOX; }

// What a text needs in the control, by the way the control draws it; room is what it has.
struct Fit {
    Measure need;
    Measure room;
    bool fits() const { return need.width <= room.width && need.height <= room.height; }
};

std::optional<Fit> FitOf(const Window& w, const std::string& text, Ruler& ruler) {
    if (text.empty() || !w.font) return std::nullopt;
    const Measure client{w.clientWidth, w.clientHeight};
    if (IsClass(w, "Static")) {
        const DWORD type = w.style & SS_TYPEMASK;
        const UINT prefix = (w.style & SS_NOPREFIX) != 0 ? DT_NOPREFIX : 0;
        const bool wraps = type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT;
        return Fit{ruler.Layout(text, client.width, DT_EXPANDTABS | prefix | (wraps ? DT_WORDBREAK : 0)), client};
    }
    if (IsClass(w, "Button")) {
        // A push-like check box or radio button is drawn as a push button.
        const DWORD type = (w.style & BS_PUSHLIKE) != 0 ? BS_PUSHBUTTON : ButtonType(w);
        const bool multiLine = (w.style & BS_MULTILINE) != 0;
        switch (type) {
            case BS_PUSHBUTTON:
            case BS_DEFPUSHBUTTON: {
                // Inside the raised edge and the focus rectangle.
                const Measure room{client.width - 6, client.height - 4};
                return Fit{ruler.Layout(text, room.width, multiLine ? DT_WORDBREAK : DT_SINGLELINE), room};
            }
            case BS_CHECKBOX:
            case BS_AUTOCHECKBOX:
            case BS_3STATE:
            case BS_AUTO3STATE:
            case BS_RADIOBUTTON:
            case BS_AUTORADIOBUTTON: {
                // The box, half a digit's gap, the text and its focus rectangle.
                const int offset = 13 + ruler.CharWidth('0') / 2;
                const Measure room{client.width - offset - 1, client.height};
                return Fit{ruler.Layout(text, room.width, multiLine ? DT_WORDBREAK : DT_SINGLELINE), room};
            }
            case BS_GROUPBOX: {
                // The caption sits in the frame's top edge, clear of both corners.
                const Measure room{client.width - 16, client.height};
                return Fit{ruler.Layout(text, room.width, DT_SINGLELINE), room};
            }
            case BS_OWNERDRAW: {
                // The program's speed buttons: the caption inside the raised edge, on as many
                // lines as it needs, a word too wide broken between its letters.
                const Measure room{client.width - 4, client.height - 4};
                return Fit{ruler.Layout(Trimmed(text), room.width, DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX), room};
            }
            default:
                return std::nullopt;
        }
    }
    if (IsClass(w, "Edit")) {
        return Fit{ruler.Layout(text, client.width, DT_SINGLELINE | DT_NOPREFIX), {client.width - 4, client.height}};
    }
    if (IsClass(w, "ComboBox")) {
        const Measure room{client.width - GetSystemMetrics(SM_CXVSCROLL) - 6, w.itemHeight > 0 ? w.itemHeight : client.height};
        return Fit{ruler.Layout(text, room.width, DT_SINGLELINE | DT_NOPREFIX), room};
    }
    return std::nullopt;
}

std::string Quote(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) out += c == '\n' ? ' ' : c;
    return out + "\"";
}

std::string Describe(const Window& w) {
    return (w.name.empty() ? "(" + w.cls + ")" : w.name);
}

bool Intersect(const RECT& a, const RECT& b) {
    RECT both{};
    return IntersectRect(&both, &a, &b) != FALSE;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool Empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

std::string RectText(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" +
           std::to_string(r.bottom - r.top);
}

struct Checker {
    const Report& report;
    Ruler ruler;
    std::vector<std::string> problems;
    std::vector<std::string> table;
    int measured = 0;

    void Problem(const std::string& text) { problems.push_back(text); }

    void CheckText(const Window& w, const std::string& text, const char* what) {
        if (!w.font) return;
        const std::string face = ruler.Use(*w.font);
        const std::optional<Fit> fit = FitOf(w, text, ruler);
        if (!fit) return;
        ++measured;
        table.push_back(Describe(w) + "\t" + w.cls + "\t" + w.font->lfFaceName + "/" + face + " " +
                        std::to_string(w.font->lfHeight) + (w.font->lfWidth != 0 ? "x" + std::to_string(w.font->lfWidth) : "") +
                        "\t" + RectText(w.rect) + "\tneeds " +
                        std::to_string(fit->need.width) + "x" + std::to_string(fit->need.height) + " has " +
                        std::to_string(fit->room.width) + "x" + std::to_string(fit->room.height) + "\t" +
                        (fit->fits() ? "ok" : "CUT") + "\t" + Quote(text));
        if (!fit->fits()) {
            Problem(Describe(w) + ": " + what + " " + Quote(text) + " needs " + std::to_string(fit->need.width) +
                    "x" + std::to_string(fit->need.height) + " px, has " + std::to_string(fit->room.width) +
                    "x" + std::to_string(fit->room.height));
        }
    }

    void CheckFont(const Window& w) {
        if (!w.font || lstrcmpiA(w.font->lfFaceName, "MS Sans Serif") != 0) return;
        const std::string face = ruler.Use(*w.font);
        if (lstrcmpiA(face.c_str(), "MS Sans Serif") != 0) {
            Problem(Describe(w) + ": font \"MS Sans Serif\" is drawn as \"" + face + "\" (fonts missing)");
        }
    }

    void CheckWindow(const Window& w) {
        CheckFont(w);
        if (IsClass(w, "Static") || IsClass(w, "Button") || IsClass(w, "Edit")) {
            CheckText(w, w.text, "text");
        }
        if (IsClass(w, "ComboBox")) {
            for (const std::string& item : w.items) CheckText(w, item, "entry");
        }
        if (IsClass(w, WC_TABCONTROLA)) {
            if (w.font) ruler.Use(*w.font);
            for (const Tab& tab : w.tabs) {
                ++measured;
                const Measure need = ruler.Extent(Shown(tab.text));
                const int width = tab.rect.right - tab.rect.left;
                if (tab.rect.right > w.clientWidth || need.width > width) {
                    Problem(Describe(w) + ": tab " + Quote(tab.text) + " needs " + std::to_string(need.width) +
                            " px in a tab of " + std::to_string(width) + " at " + RectText(tab.rect));
                }
            }
        }
    }

    // Inside the parent's client area (a sheet: inside the tab control's page area).
    void CheckContainment(const Window& w) {
        if ((w.style & WS_CHILD) == 0 || !w.ownVisible || Empty(w.rect)) return;
        const Window* parent = report.Find(w.parent);
        if (parent == nullptr) return;
        RECT area{0, 0, parent->clientWidth, parent->clientHeight};
        if (IsClass(*parent, WC_TABCONTROLA)) area = parent->pageArea;
        if (!Inside(w.rect, area)) {
            Problem(Describe(w) + ": at " + RectText(w.rect) + ", outside " + Describe(*parent) + " (" +
                    RectText(area) + ")");
        }
    }

    void CheckOverlaps() {
        const auto& all = report.windows;
        for (std::size_t i = 0; i < all.size(); ++i) {
            const Window& a = all[i];
            if ((a.style & WS_CHILD) == 0 || !a.ownVisible || Empty(a.rect)) continue;
            for (std::size_t j = i + 1; j < all.size(); ++j) {
                const Window& b = all[j];
                if (b.parent != a.parent || (b.style & WS_CHILD) == 0 || !b.ownVisible || Empty(b.rect)) continue;
                if (!Intersect(a.rect, b.rect)) continue;
                // Sheets share their place; a group frame holds what lies inside it.
                if (IsClass(a, "TTabSheet") && IsClass(b, "TTabSheet")) continue;
                if ((IsGroupBox(a) && Inside(b.rect, a.rect)) || (IsGroupBox(b) && Inside(a.rect, b.rect))) continue;
                Problem(Describe(a) + " (" + RectText(a.rect) + ") overlaps " + Describe(b) + " (" +
                        RectText(b.rect) + ")");
            }
        }
    }

    void CheckSizes() {
        for (const Window& w : report.windows) {
            if (w.cls == "TFormMain" && (w.clientWidth != 498 || w.clientHeight != 406)) {
                Problem("main window: client area " + std::to_string(w.clientWidth) + "x" +
                        std::to_string(w.clientHeight) + ", not 498x406");
            }
            if (w.cls == "TfrmToolbar" && w.clientWidth != 30) {
                Problem("toolbar window: client width " + std::to_string(w.clientWidth) + ", not 30");
            }
            const Window* parent = report.Find(w.parent);
            if (parent != nullptr && parent->cls == "TfrmToolbar" && IsClass(w, "Button") &&
                (w.clientWidth != 23 || w.clientHeight != 23)) {
                Problem(Describe(w) + ": " + std::to_string(w.clientWidth) + "x" + std::to_string(w.clientHeight) +
                        ", not 23x23");
            }
        }
    }

    void Run(const std::vector<std::pair<std::string, std::string>>& extra) {
        for (const Window& w : report.windows) {
            CheckWindow(w);
            CheckContainment(w);
        }
        CheckOverlaps();
        CheckSizes();
        for (const auto& [name, text] : extra) {
            const Window* w = report.Named(name);
            if (w == nullptr) {
                Problem(name + ": no such window for the added texts");
                continue;
            }
            CheckText(*w, text, "possible text");
        }
    }
};

// --- the program's windows, from outside -----------------------------------------------------

struct Program {
    HWND main = nullptr;
    DWORD process = 0;
};

std::vector<HWND> TopWindows(DWORD process) {
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

HWND FindNamed(const Program& program, const std::string& name) {
    for (HWND top : TopWindows(program.process)) {
        if (name == "application" && ClassOf(top) == "TApplication") return top;
        if (NameOf(top) == name) return top;
        std::vector<HWND> children;
        EnumChildWindows(top, CollectWindow, reinterpret_cast<LPARAM>(&children));
        for (HWND child : children) {
            if (NameOf(child) == name) return child;
        }
    }
    return nullptr;
}

int Usage() {
    std::fputs("usage: hflayout [--class NAME] [--wait SECONDS] check [--texts FILE] [--table FILE] | report FILE |\n"
               "       focus | cursor | page NAME | tips | visible NAME | minimized NAME | active | rect NAME | center NAME |\n"
               "       click NAME | drop NAME | syscommand NAME minimize|restore|close | iconic NAME | taskbar | shown-tips | dialog\n",
               stderr);
    return 2;
}

int Check(const Program& program, const std::vector<std::string>& args) {
    std::vector<std::pair<std::string, std::string>> extra;
    std::string tablePath;
    for (std::size_t i = 0; i + 1 < args.size(); i += 2) {
        if (args[i] == "--texts") {
            std::ifstream in(args[i + 1], std::ios::binary);
            std::string line;
            while (std::getline(in, line)) {
                if (!line.empty() && line.back() == '\r') line.pop_back();
                const std::size_t tab = line.find('\t');
                if (tab != std::string::npos) extra.emplace_back(line.substr(0, tab), line.substr(tab + 1));
            }
        } else if (args[i] == "--table") {
            tablePath = args[i + 1];
        } else {
            return Usage();
        }
    }
    const std::optional<std::string> contents = ReadReport(program.main);
    if (!contents) return 1;
    const Report report = ParseReport(*contents);
    Checker checker{report, {}, {}, {}, 0};
    checker.Run(extra);
    if (!tablePath.empty()) {
        std::ofstream out(tablePath, std::ios::binary);
        for (const std::string& line : checker.table) out << line << "\n";
    }
    for (const std::string& problem : checker.problems) Print("PROBLEM " + problem);
    Print(std::to_string(report.windows.size()) + " windows, " + std::to_string(checker.measured) +
          " texts measured, " + std::to_string(checker.problems.size()) + " problems");
    return checker.problems.empty() ? 0 : 1;
}

int Taskbar(const Program& program) {
    // What a taskbar lists: visible top-level windows that no window owns (or that ask for
    // a button) and that are no tool windows.
    for (HWND top : TopWindows(program.process)) {
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
        if (!IsWindow(target) || GetWindowThreadProcessId(target, &owner) == 0 || owner != program.process) continue;
        RECT place{};
        GetWindowRect(button, &place);
        Print("button\t" + TextOf(target) + "\t" + std::to_string(place.left) + " " + std::to_string(place.top) +
              " " + std::to_string(place.right - place.left) + " " + std::to_string(place.bottom - place.top));
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const ToolCommand tool = ParseToolCommand(argc, argv);
    if (tool.command.empty()) return Usage();
    const auto& [windowClass, waitSeconds, command, args] = tool;

    Program program;
    if (!WaitFor(waitSeconds, [&] {
            return (program.main = FindWindowExA(nullptr, nullptr, windowClass.c_str(), nullptr)) != nullptr;
        })) {
        std::fprintf(stderr, "hflayout: no window of class %s\n", windowClass.c_str());
        return 1;
    }
    GetWindowThreadProcessId(program.main, &program.process);

    if (command == "check") return Check(program, args);
    if (command == "shown-tips" || command == "dialog") {
        bool found = false;
        for (HWND top : TopWindows(program.process)) {
            if (!IsWindowVisible(top)) continue;
            const std::string cls = ClassOf(top);
            if (command == "shown-tips" && lstrcmpiA(cls.c_str(), TOOLTIPS_CLASSA) == 0) {
                Print(TextOf(top));
                found = true;
            } else if (command == "dialog" && cls == "#32770") {
                // The message's text is the box's static control with text.
                std::vector<HWND> children;
                EnumChildWindows(top, CollectWindow, reinterpret_cast<LPARAM>(&children));
                std::string message;
                for (HWND child : children) {
                    if (lstrcmpiA(ClassOf(child).c_str(), "Static") == 0 && !TextOf(child).empty()) {
                        message = TextOf(child);
                    }
                }
                Print(TextOf(top) + "\t" + message);
                return 0;
            }
        }
        return found ? 0 : 1;
    }
    if (command == "taskbar") return Taskbar(program);
    if (command == "active") {
        const HWND front = GetForegroundWindow();
        DWORD owner = 0;
        if (front != nullptr && GetWindowThreadProcessId(front, &owner) != 0 && owner == program.process) {
            Print(ClassOf(front) == "TApplication" ? "application" : NameOf(front));
        }
        return 0;
    }
    if (command == "report" && args.size() == 1) {
        const std::optional<std::string> contents = ReadReport(program.main);
        if (!contents) return 1;
        std::ofstream(args[0], std::ios::binary) << *contents;
        return 0;
    }
    if (command == "focus" || command == "cursor" || command == "tips" || (command == "page" && args.size() == 1)) {
        const std::optional<std::string> contents = ReadReport(program.main);
        if (!contents) return 1;
        const Report report = ParseReport(*contents);
        if (command == "cursor") {
            Print(report.cursor);
        } else if (command == "focus") {
            const Window* w = report.Find(report.focus);
            Print(w != nullptr ? Describe(*w) : "");
        } else if (command == "tips") {
            for (const Tool& tool : report.tools) {
                const Window* w = report.Find(tool.tool);
                Print((w != nullptr ? Describe(*w) : "") + "\t" + tool.text);
            }
        } else {
            const Window* tabs = report.Named(args[0]);
            if (tabs == nullptr) return 1;
            for (const Window& w : report.windows) {
                if (w.parent == tabs->hwnd && IsClass(w, "TTabSheet") && w.ownVisible) Print(w.name);
            }
        }
        return 0;
    }
    if (args.empty()) return Usage();
    const HWND target = FindNamed(program, args[0]);
    if (target == nullptr) {
        std::fprintf(stderr, "hflayout: no window named %s\n", args[0].c_str());
        return 1;
    }
    RECT rect{};
    GetWindowRect(target, &rect);
    if (command == "visible") {
        Print(IsWindowVisible(target) ? "1" : "0");
        return 0;
    }
    if (command == "minimized") {
        Print(IsIconic(target) ? "1" : "0");
        return 0;
    }
    if (command == "rect") {
        Print(std::to_string(rect.left) + " " + std::to_string(rect.top) + " " + std::to_string(rect.right - rect.left) +
              " " + std::to_string(rect.bottom - rect.top));
        return 0;
    }
    if (command == "center") {
        Print(std::to_string((rect.left + rect.right) / 2) + " " + std::to_string((rect.top + rect.bottom) / 2));
        return 0;
    }
    if (command == "click") {
        PostMessageA(target, BM_CLICK, 0, 0);
        return 0;
    }
    if (command == "iconic") {
        ShowWindowAsync(target, SW_MINIMIZE);
        return 0;
    }
    if (command == "syscommand" && args.size() == 2) {
        const WPARAM code = args[1] == "minimize" ? SC_MINIMIZE
                            : args[1] == "restore" ? SC_RESTORE
                            : args[1] == "close"   ? SC_CLOSE
                                                   : 0;
        if (code == 0) return Usage();
        PostMessageA(target, WM_SYSCOMMAND, code, 0);
        return 0;
    }
    if (command == "drop") {
        SendMessageA(target, CB_SHOWDROPDOWN, TRUE, 0);
        int rows = -1;
        WaitFor(3, [&] {
            for (HWND top : TopWindows(program.process)) {
                if (lstrcmpiA(ClassOf(top).c_str(), "ComboLBox") != 0 || !IsWindowVisible(top)) continue;
                RECT client{};
                GetClientRect(top, &client);
                const auto itemHeight = static_cast<int>(SendMessageA(top, LB_GETITEMHEIGHT, 0, 0));
                if (itemHeight > 0) rows = static_cast<int>(client.bottom / itemHeight);
                return true;
            }
            return false;
        });
        SendMessageA(target, CB_SHOWDROPDOWN, FALSE, 0);
        Print(std::to_string(rows));
        return rows > 0 ? 0 : 1;
    }
    return Usage();
}
