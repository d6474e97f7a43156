// What the probe (Probe.cpp, hooked into the program's thread) reports of the program's
// windows, and how a tool asks for it: fonts, tab items, combo entries, tooltip tools, the
// focus and the cursor, which only the program's own process can read.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace hf::lookup {

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

// The report of the program whose main window this is; nothing (with a message on stderr)
// when the probe could not be hooked in or wrote nothing. The probe, hfwindowprobe.dll, lies
// beside the tool that asks.
std::optional<Report> ReadReport(HWND main);

// The window's model name, or its class in brackets for a window the program did not name.
std::string Describe(const Window& w);

}  // namespace hf::lookup
