// hflayout: the layout check of the running Hookfast program, from another process.
//
//   hflayout [--class NAME] [--wait SECONDS] check [--texts FILE] [--table FILE]
//
// Every text in every window measured with the control's own font and wrapping, every
// control inside its parent and clear of its siblings, the fixed window sizes (the design's,
// scaled by the system's DPI / 96). FILE of
// --texts adds texts (NAME TAB TEXT a line) measured as if the control NAME held them;
// --table writes every window with its measures. Problems on stdout, exit status 1 if any,
// 2 on bad usage.
//
// The program is found by its top-level window of class NAME (default TFormMain), waited for
// up to SECONDS (default 10); the probe inside it (hfwindowprobe.dll, beside this tool) reports
// the windows. Texts are Windows-1252 as the program holds them. hfinspect drives the
// windows; this tool only measures them.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tools/inspect/ProbeReport.h"
#include "tools/inspect/WindowLookup.h"
#include "ui/DpiScale.h"

namespace {

using namespace hf::lookup;

// This tool runs on the program's system, at its DPI.
hf::DpiScale SystemScale() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return hf::DpiScale(dpi);
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
                // lines as it needs, broken at blanks only: a word too wide does not fit.
                const Measure room{client.width - 4, client.height - 4};
                return Fit{ruler.Layout(Trimmed(text), room.width, DT_WORDBREAK | DT_NOPREFIX), room};
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
    hf::DpiScale scale;
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

    // The design's sizes, scaled by the system's DPI as the program scales them.
    void CheckSizes() {
        const auto size = [](int width, int height) { return std::to_string(width) + "x" + std::to_string(height); };
        for (const Window& w : report.windows) {
            if (w.cls == "TFormMain" && (w.clientWidth != scale(498) || w.clientHeight != scale(406))) {
                Problem("main window: client area " + size(w.clientWidth, w.clientHeight) + ", not " +
                        size(scale(498), scale(406)));
            }
            if (w.cls == "TfrmToolbar" && w.clientWidth != scale(30)) {
                Problem("toolbar window: client width " + std::to_string(w.clientWidth) + ", not " +
                        std::to_string(scale(30)));
            }
            const Window* parent = report.Find(w.parent);
            if (parent == nullptr || parent->cls != "TfrmToolbar" || !IsClass(w, "Button")) continue;
            // 23 x 23 at x = 4, from the design top the button's place gives.
            const int top = MulDiv(w.rect.top, hf::DesignDpi, scale.Dpi());
            const int width = scale.Span(4, 23);
            const int height = scale.Span(top, 23);
            if (w.rect.left != scale(4) || w.clientWidth != width || w.clientHeight != height) {
                Problem(Describe(w) + ": " + size(w.clientWidth, w.clientHeight) + " at x " +
                        std::to_string(w.rect.left) + ", not " + size(width, height) + " at x " +
                        std::to_string(scale(4)));
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

int Usage() {
    std::fputs("usage: hflayout [--class NAME] [--wait SECONDS] check [--texts FILE] [--table FILE]\n", stderr);
    return 2;
}

int Check(HWND main, const std::vector<std::string>& args) {
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
    const std::optional<Report> report = ReadReport(main);
    if (!report) return 1;
    Checker checker{*report, SystemScale(), {}, {}, {}, 0};
    checker.Run(extra);
    if (!tablePath.empty()) {
        std::ofstream out(tablePath, std::ios::binary);
        for (const std::string& line : checker.table) out << line << "\n";
    }
    for (const std::string& problem : checker.problems) Print("PROBLEM " + problem);
    Print(std::to_string(report->windows.size()) + " windows, " + std::to_string(checker.measured) +
          " texts measured, " + std::to_string(checker.problems.size()) + " problems");
    return checker.problems.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const ToolCommand tool = ParseToolCommand(argc, argv);
    if (tool.command != "check") return Usage();
    HWND main = nullptr;
    if (!WaitFor(tool.waitSeconds, [&] {
            return (main = FindWindowExA(nullptr, nullptr, tool.windowClass.c_str(), nullptr)) != nullptr;
        })) {
        std::fprintf(stderr, "hflayout: no window of class %s\n", tool.windowClass.c_str());
        return 1;
    }
    return Check(main, tool.args);
}
