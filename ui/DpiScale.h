// The windows are designed in pixels of a 96-DPI screen. On a system set to another DPI
// ("large fonts" is 120) every window, control rectangle and font is scaled by DPI / 96, as
// the toolkit the program was designed with does, so each window keeps its design. At 96
// DPI nothing changes.
#pragma once

namespace hf {

inline constexpr int DesignDpi = 96;

class DpiScale {
public:
    explicit constexpr DpiScale(int dpi = DesignDpi) : dpi_(dpi > 0 ? dpi : DesignDpi) {}

    constexpr int Dpi() const { return dpi_; }

    // A design length or coordinate in screen pixels, rounded to the nearest, halves away
    // from zero (as MulDiv).
    constexpr int operator()(int design) const {
        const long long product = static_cast<long long>(design) * dpi_;
        return static_cast<int>((product >= 0 ? product + DesignDpi / 2 : product - DesignDpi / 2) / DesignDpi);
    }

    // The span from `start` over `length` design pixels, on the screen: both edges are
    // scaled, so controls that touch in the design still touch and never overlap.
    constexpr int Span(int start, int length) const { return (*this)(start + length) - (*this)(start); }

    // The design length that shows at least `screen` pixels, for a text measured on the
    // screen that a design length must hold.
    constexpr int ToDesign(int screen) const {
        const long long product = static_cast<long long>(screen) * DesignDpi;
        return static_cast<int>(product >= 0 ? (product + dpi_ - 1) / dpi_ : product / dpi_);
    }

private:
    int dpi_;
};

}  // namespace hf
