// Where a window is shown so that the pilot can see and grab it: moved the least distance
// that puts it whole on the work area; where it is wider or taller than the area, its left
// or top edge on the area's.
#pragma once

#include <algorithm>

namespace hf {

struct ScreenBox {
    int left = 0, top = 0, right = 0, bottom = 0;

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    friend constexpr bool operator==(const ScreenBox&, const ScreenBox&) = default;
};

constexpr ScreenBox FitOnArea(const ScreenBox& window, const ScreenBox& area) {
    const auto axis = [](int start, int length, int areaStart, int areaEnd) {
        return length <= areaEnd - areaStart ? std::clamp(start, areaStart, areaEnd - length) : areaStart;
    };
    const int left = axis(window.left, window.Width(), area.left, area.right);
    const int top = axis(window.top, window.Height(), area.top, area.bottom);
    return {left, top, left + window.Width(), top + window.Height()};
}

}  // namespace hf
