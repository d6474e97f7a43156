#include "ui/win32/ScreenPlacement.h"

#include "ui/ScreenFit.h"

namespace hf {

namespace {

// The normal (restored) position is kept in workspace coordinates, which differ from screen
// coordinates by the work area's offset when a taskbar sits at the top or left of the
// screen; tool windows keep screen coordinates.
POINT WorkspaceOffset(HWND window) {
    if ((GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0) return {0, 0};
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
    return {info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top};
}

}  // namespace

RECT NormalRect(HWND window) {
    RECT place{};
    if (!IsIconic(window) && !IsZoomed(window)) {
        GetWindowRect(window, &place);
        return place;
    }
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(window, &placement);
    const POINT offset = WorkspaceOffset(window);
    place = placement.rcNormalPosition;
    OffsetRect(&place, offset.x, offset.y);
    return place;
}

void PlaceWindow(HWND window, const RECT& place) {
    if (IsIconic(window)) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(window, &placement);
        const POINT offset = WorkspaceOffset(window);
        placement.rcNormalPosition = place;
        OffsetRect(&placement.rcNormalPosition, -offset.x, -offset.y);
        SetWindowPlacement(window, &placement);
    } else {
        SetWindowPos(window, nullptr, place.left, place.top, place.right - place.left,
                     place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

RECT ShownPlace(const RECT& place) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoA(MonitorFromRect(&place, MONITOR_DEFAULTTONEAREST), &info);
    const RECT& area = info.rcWork;
    const ScreenBox shown = FitOnArea({place.left, place.top, place.right, place.bottom},
                                      {area.left, area.top, area.right, area.bottom});
    return {shown.left, shown.top, shown.right, shown.bottom};
}

}  // namespace hf
