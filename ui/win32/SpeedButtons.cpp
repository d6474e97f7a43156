#include "ui/win32/SpeedButtons.h"

#include <string>

#include "ui/CaptionFit.h"
#include "ui/win32/WindowText.h"

namespace hf {

namespace {

// Room a speed button's caption or image leaves for its raised edge.
constexpr int SpeedButtonEdge = 2;

int LineHeight(HDC dc) {
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    return metrics.tmHeight;
}

int TextWidth(HDC dc, std::string_view text) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

}  // namespace

SpeedButtonPainter::SpeedButtonPainter(HINSTANCE instance, HFONT designFont, const DpiScale& scale)
    : fonts_{designFont}, designFont_(designFont) {
    // Smaller fonts for captions that the design font does not fit, largest first: the
    // bitmap "Small Fonts" of every Windows at 8 and 7 pixels (at 96 DPI), then "Arial",
    // which scales to any size, down to 5 pixels (drawn without smoothing, which keeps such
    // small letters sharp). At 7 and 6 pixels a narrowed Arial comes after the plain one:
    // a word a little too wide stays tall enough to read instead of dropping to 5 pixels.
    struct Small {
        const char* Face;
        int Height;
        int Width;  // average character width; 0 for the face's own proportions
        DWORD Quality;
    };
    for (const Small& small : {Small{"Small Fonts", 8, 0, DEFAULT_QUALITY}, Small{"Small Fonts", 7, 0, DEFAULT_QUALITY},
                               Small{"Arial", 7, 0, NONANTIALIASED_QUALITY}, Small{"Arial", 7, 3, NONANTIALIASED_QUALITY},
                               Small{"Arial", 6, 0, NONANTIALIASED_QUALITY}, Small{"Arial", 6, 3, NONANTIALIASED_QUALITY},
                               Small{"Arial", 5, 0, NONANTIALIASED_QUALITY}}) {
        fonts_.push_back(CreateFontA(-scale(small.Height), scale(small.Width), 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                     ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, small.Quality,
                                     DEFAULT_PITCH | FF_SWISS, small.Face));
    }
    // The image's light grey turns into the button face, whatever the user's colours.
    glyph_ = static_cast<HBITMAP>(LoadImageA(instance, "TOOLBARRETURN", IMAGE_BITMAP, 0, 0,
                                             LR_LOADMAP3DCOLORS));
}

SpeedButtonPainter::~SpeedButtonPainter() {
    for (HFONT font : fonts_) {
        if (font != designFont_) DeleteObject(font);
    }
    if (glyph_ != nullptr) DeleteObject(glyph_);
}

void SpeedButtonPainter::FitCaption(HWND window, const TSpeedButton& button, int width, int height) const {
    if (button.HasGlyph()) return;
    HDC dc = GetDC(window);
    const HGDIOBJ old = GetCurrentObject(dc, OBJ_FONT);
    std::vector<int> lineHeights;
    for (HFONT font : fonts_) {
        SelectObject(dc, font);
        lineHeights.push_back(LineHeight(dc));
    }
    const std::size_t chosen = ChooseCaptionFont(
        button.Caption(), width - 2 * SpeedButtonEdge, height - 2 * SpeedButtonEdge, lineHeights,
        [&](std::size_t font, std::string_view text) {
            SelectObject(dc, fonts_[font]);
            return TextWidth(dc, text);
        });
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    if (reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)) != fonts_[chosen]) {
        SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[chosen]), TRUE);
    }
}

void SpeedButtonPainter::Draw(const DRAWITEMSTRUCT& item, const TSpeedButton& button) const {
    const HDC dc = item.hDC;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool enabled = (item.itemState & ODS_DISABLED) == 0;
    RECT frame = item.rcItem;
    DrawFrameControl(dc, &frame, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    RECT inner = item.rcItem;
    InflateRect(&inner, -SpeedButtonEdge, -SpeedButtonEdge);
    if (pressed) OffsetRect(&inner, 1, 1);
    if (button.HasGlyph()) {
        BITMAP image{};
        if (glyph_ != nullptr && GetObjectA(glyph_, sizeof image, &image) != 0) {
            const int x = inner.left + (inner.right - inner.left - image.bmWidth) / 2;
            const int y = inner.top + (inner.bottom - inner.top - image.bmHeight) / 2;
            DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(glyph_), 0, x, y,
                       image.bmWidth, image.bmHeight, DST_BITMAP | (enabled ? DSS_NORMAL : DSS_DISABLED));
        }
        return;
    }
    // The caption's lines, broken at its blanks only, centred one below the other.
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(item.hwndItem, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    const std::vector<std::string> lines =
        WrapAtBlanks(button.Caption(), inner.right - inner.left, 0,
                     [dc](std::size_t, std::string_view text) { return TextWidth(dc, text); });
    const int lineHeight = LineHeight(dc);
    RECT line = inner;
    line.top += (inner.bottom - inner.top - lineHeight * static_cast<int>(lines.size())) / 2;
    for (const std::string& text : lines) {
        line.bottom = line.top + lineHeight;
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &line,
                  DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
        line.top = line.bottom;
    }
    SelectObject(dc, old);
}

}  // namespace hf
