#include "ui/win32/Tooltips.h"

#include <commctrl.h>

namespace hf {

namespace {

TOOLINFOA ToolFor(HWND container, HWND tool, std::string& text) {
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = container;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = text.data();
    return info;
}

}  // namespace

HWND CreateTooltip(HINSTANCE instance, HWND form) {
    return CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                           WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, form, nullptr, instance, nullptr);
}

void ShowHintOver(HWND tooltip, const std::vector<HWND>& windows, const std::string& text,
                  std::vector<HWND>& shown) {
    std::string buffer = text;
    for (HWND tool : shown) {
        TOOLINFOA info = ToolFor(GetParent(tool), tool, buffer);
        SendMessageA(tooltip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    }
    shown.clear();
    for (HWND tool : windows) {
        TOOLINFOA info = ToolFor(GetParent(tool), tool, buffer);
        if (SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)) != 0) {
            shown.push_back(tool);
        }
    }
}

bool ShowFormHint(HWND tooltip, HWND form, const std::string& text, bool shown) {
    std::string buffer = text;
    TOOLINFOA info = ToolFor(form, form, buffer);
    if (shown) SendMessageA(tooltip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    return !text.empty() && SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)) != 0;
}

}  // namespace hf
