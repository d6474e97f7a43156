#include "tools/inspect/ProbeReport.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

namespace hf::lookup {

namespace {

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
std::optional<std::string> ReadRawReport(HWND main) {
    const DWORD thread = GetWindowThreadProcessId(main, nullptr);
    const HMODULE probe = LoadLibraryA((ModuleFolder() + "hfwindowprobe.dll").c_str());
    if (probe == nullptr) {
        std::fprintf(stderr, "cannot load hfwindowprobe.dll\n");
        return std::nullopt;
    }
    const auto hook = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(probe, "ProbeHook")));
    HHOOK handle = hook != nullptr ? SetWindowsHookExA(WH_CALLWNDPROC, hook, probe, thread) : nullptr;
    if (handle == nullptr) {
        std::fprintf(stderr, "cannot hook the program's thread\n");
        return std::nullopt;
    }
    char folder[MAX_PATH] = {};
    char path[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "hfp", 0, path);
    const ATOM atom = GlobalAddAtomA(path);
    DWORD_PTR result = 0;
    const bool answered = SendMessageTimeoutA(main, RegisterWindowMessageA("HfProbe"), atom, 0,
                                              SMTO_ABORTIFHUNG, 15000, &result) != 0;
    UnhookWindowsHookEx(handle);
    GlobalDeleteAtom(atom);
    std::ifstream in(path, std::ios::binary);
    std::stringstream contents;
    contents << in.rdbuf();
    in.close();
    DeleteFileA(path);
    if (!answered || contents.str().empty()) {
        std::fprintf(stderr, "the program wrote no report\n");
        return std::nullopt;
    }
    return contents.str();
}

}  // namespace

std::optional<Report> ReadReport(HWND main) {
    const std::optional<std::string> contents = ReadRawReport(main);
    if (!contents) return std::nullopt;
    return ParseReport(*contents);
}

std::string Describe(const Window& w) { return w.name.empty() ? "(" + w.cls + ")" : w.name; }

}  // namespace hf::lookup
