// The toolbar's speed buttons that do not stay down, drawn by the view: a raised button
// with its caption, in a font that lets the caption fit, or with the design's image.
#pragma once

#include <windows.h>

#include <vector>

#include "ui/Controls.h"
#include "ui/DpiScale.h"

namespace hf {

class SpeedButtonPainter {
public:
    // designFont stays the caller's; the image is the program's resource TOOLBARRETURN.
    SpeedButtonPainter(HINSTANCE instance, HFONT designFont, const DpiScale& scale);
    ~SpeedButtonPainter();
    SpeedButtonPainter(const SpeedButtonPainter&) = delete;
    SpeedButtonPainter& operator=(const SpeedButtonPainter&) = delete;

    // Gives the button's window (of that size on the screen) the font its caption is drawn in.
    void FitCaption(HWND window, const TSpeedButton& button, int width, int height) const;
    // WM_DRAWITEM of the button.
    void Draw(const DRAWITEMSTRUCT& item, const TSpeedButton& button) const;

private:
    std::vector<HFONT> fonts_;  // the design font first, then smaller ones for long captions
    HFONT designFont_;
    HBITMAP glyph_ = nullptr;   // the toolbar's return button
};

}  // namespace hf
