#include "ui/win32/Win32View.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <exception>

#include "ui/Form.h"

namespace hf {

namespace {

constexpr const char* SheetClass = "TTabSheet";
constexpr const char* RadioGroupClass = "TRadioGroup";
constexpr const char* ApplicationClass = "TApplication";
constexpr DWORD ChildStyle = WS_CHILD | WS_CLIPSIBLINGS;
constexpr int RadioItemHeight = 16;
constexpr int RadioCaptionHeight = 14;
// Posted to the application window: give the activation to the form in front.
constexpr UINT ForwardActivation = WM_APP + 1;
// Room a speed button's caption or image leaves for its raised edge.
constexpr int SpeedButtonEdge = 2;

COLORREF ColorOf(TColor color) {
    switch (color) {
        case TColor::BtnFace: return GetSysColor(COLOR_BTNFACE);
        case TColor::White: return RGB(255, 255, 255);
        case TColor::Navy: return RGB(0, 0, 128);
        case TColor::WindowText: return GetSysColor(COLOR_WINDOWTEXT);
        case TColor::Gray: return RGB(128, 128, 128);
        case TColor::Lime: return RGB(0, 255, 0);
        case TColor::Aqua: return RGB(0, 255, 255);
        case TColor::Red: return RGB(255, 0, 0);
    }
    return GetSysColor(COLOR_BTNFACE);
}

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The letter after a single "&" of a caption, upper case; 0 when there is none.
char AcceleratorOf(const std::string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] != '&') return static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i + 1])));
        ++i;
    }
    return 0;
}

std::string WindowClassOf(const TForm& form) { return "T" + form.Name(); }

bool IsMainForm(const TForm& form) { return form.Owner() == nullptr; }

DWORD FormStyle(const TForm& form) {
    // The main window has a fixed single border; the toolbar is sizeable without border icons.
    return IsMainForm(form) ? WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX
                            : WS_POPUP | WS_CAPTION | WS_THICKFRAME;
}

DWORD FormExStyle(const TForm& form) { return IsMainForm(form) ? 0 : WS_EX_TOOLWINDOW; }

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

// Where the window stands when it is neither minimised nor maximised, in screen coordinates.
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

// A window whose title bar lies on no screen (a monitor since removed, a hand-edited
// position) is moved onto the nearest screen, whole where it fits. True when it moved.
bool BringOnScreen(RECT& place) {
    RECT title = place;
    title.bottom = std::min(place.bottom, place.top + GetSystemMetrics(SM_CYCAPTION) +
                                              GetSystemMetrics(SM_CYFRAME));
    if (MonitorFromRect(&title, MONITOR_DEFAULTTONULL) != nullptr) return false;
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoA(MonitorFromRect(&place, MONITOR_DEFAULTTONEAREST), &info);
    const RECT& area = info.rcWork;
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    const int left = std::clamp<int>(place.left, area.left, std::max<int>(area.left, area.right - width));
    const int top = std::clamp<int>(place.top, area.top, std::max<int>(area.top, area.bottom - height));
    OffsetRect(&place, left - place.left, top - place.top);
    return true;
}

// Enabled, and every window between it and its top-level window enabled too.
bool EnabledUpTo(HWND window, HWND root) {
    for (HWND w = window; w != nullptr; w = GetParent(w)) {
        if (!IsWindowEnabled(w)) return false;
        if (w == root) break;
    }
    return true;
}

bool IsEdit(HWND window) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    return lstrcmpiA(name, "EDIT") == 0;
}

}  // namespace

Win32View::Win32View(HINSTANCE instance, HostServices& host, const std::string& applicationTitle)
    : instance_(instance), host_(host) {
    font_ = CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
    // Smaller faces for speed-button captions that the design font does not fit, in order
    // of preference: the bitmap "Small Fonts" at 6 and 5 points, then "Arial" at 6 points
    // (drawn without smoothing, which keeps such small letters sharp).
    struct Small {
        const char* Face;
        int Height;
        DWORD Quality;
    };
    for (const Small& small : std::array<Small, 3>{{{"Small Fonts", -8, DEFAULT_QUALITY},
                                                    {"Small Fonts", -7, DEFAULT_QUALITY},
                                                    {"Arial", -8, NONANTIALIASED_QUALITY}}}) {
        smallFonts_.push_back(CreateFontA(small.Height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                          ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                          small.Quality, DEFAULT_PITCH | FF_SWISS, small.Face));
    }
    // The image's light grey turns into the button face, whatever the user's colours.
    glyph_ = static_cast<HBITMAP>(LoadImageA(instance_, "TOOLBARRETURN", IMAGE_BITMAP, 0, 0,
                                             LR_LOADMAP3DCOLORS));
    RegisterClasses();
    CreateApplicationWindow(applicationTitle);
}

Win32View::~Win32View() {
    DetachAll();
    if (application_ != nullptr) {
        SetWindowLongPtrA(application_, GWLP_USERDATA, 0);
        DestroyWindow(application_);
    }
    for (const auto& [color, brush] : brushes_) DeleteObject(brush);
    for (HFONT font : smallFonts_) DeleteObject(font);
    if (font_ != nullptr) DeleteObject(font_);
    if (glyph_ != nullptr) DeleteObject(glyph_);
}

void Win32View::RegisterClasses() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance_;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    for (const char* name : {"TFormMain", "TfrmToolbar", SheetClass, RadioGroupClass, ApplicationClass}) {
        windowClass.lpszClassName = name;
        RegisterClassA(&windowClass);
    }
}

void Win32View::CreateApplicationWindow(const std::string& title) {
    // Without size, in the middle of the screen, shown from the start of the message loop.
    application_ = CreateWindowExA(0, ApplicationClass, title.c_str(),
                                   WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS,
                                   GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2,
                                   0, 0, nullptr, nullptr, instance_, nullptr);
    SetWindowLongPtrA(application_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

int Win32View::MeasureText(std::string_view text) const {
    HDC dc = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, font_);
    SIZE size{};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return size.cx;
}

void Win32View::Name(HWND window, const std::string& name) {
    const ATOM atom = GlobalAddAtomA(name.c_str());
    if (atom == 0) return;
    atoms_.push_back(atom);
    SetPropA(window, ControlNameProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(atom)));
}

HWND Win32View::NewChild(const char* className, DWORD style, DWORD exStyle, HWND parent,
                         const std::string& name) {
    HWND window = CreateWindowExA(exStyle, className, "", style, 0, 0, 0, 0, parent,
                                  reinterpret_cast<HMENU>(nextId_++), instance_, nullptr);
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    Name(window, name);
    return window;
}

void Win32View::Attach(TForm& form) {
    auto entry = std::make_unique<FormWindow>();
    entry->form = &form;
    // Every form hangs below the application window: it has no taskbar button of its own
    // and goes out of sight when the application is minimised.
    entry->window = CreateWindowExA(FormExStyle(form), WindowClassOf(form).c_str(),
                                    form.Caption().c_str(), FormStyle(form), form.Left(),
                                    form.Top(), 100, 100, application_, nullptr, instance_, nullptr);
    SetWindowLongPtrA(entry->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    Name(entry->window, form.Name());
    entry->tooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                     WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, entry->window,
                                     nullptr, instance_, nullptr);
    FormWindow& formWindow = *entry;
    forms_.push_back(std::move(entry));

    for (TControl* control : form.Controls()) CreateControl(formWindow, *control);

    form.SetTextMeasure([this](const TControl&, std::string_view text) { return MeasureText(text); });
    form.SetObserver(this);
    for (TControl* control : form.Controls()) {
        if (control->Kind() == ControlKind::Label) static_cast<TLabel*>(control)->AdjustSize();
    }
    for (TControl* control : form.Controls()) {
        const auto found = controls_.find(control);
        if (found != controls_.end()) Sync(found->second);
    }
    SyncForm(formWindow);
}

HWND Win32View::ParentWindow(const FormWindow& form, const TControl& control) const {
    const HWND parent = WindowOf(control.Parent());
    return parent != nullptr ? parent : form.window;
}

HWND Win32View::WindowOf(const TControl* control) const {
    const auto found = controls_.find(control);
    return found != controls_.end() ? found->second.window : nullptr;
}

void Win32View::CreateControl(FormWindow& form, TControl& control) {
    const HWND parent = ParentWindow(form, control);
    HWND window = nullptr;
    HWND frame = nullptr;
    switch (control.Kind()) {
        case ControlKind::Label: {
            const auto& label = static_cast<const TLabel&>(control);
            window = NewChild("STATIC",
                              ChildStyle | SS_NOPREFIX |
                                  (label.Alignment() == TAlignment::Center ? SS_CENTER
                                   : label.WordWrap()                      ? SS_LEFT
                                                                           : SS_LEFTNOWORDWRAP),
                              0, parent, control.Name());
            break;
        }
        case ControlKind::Button:
            window = NewChild("BUTTON", ChildStyle | WS_TABSTOP | BS_PUSHBUTTON, 0, parent,
                              control.Name());
            break;
        case ControlKind::SpeedButton: {
            // A button that stays down is a push-like check box, whose check state tells its
            // state to anyone who asks; the others are drawn here, with a caption font that
            // fits, or an image.
            const bool toggles = static_cast<const TSpeedButton&>(control).GroupIndex() != 0;
            window = NewChild("BUTTON", ChildStyle | (toggles ? BS_CHECKBOX | BS_PUSHLIKE : BS_OWNERDRAW), 0,
                              parent, control.Name());
            break;
        }
        case ControlKind::CheckBox:
            window = NewChild("BUTTON", ChildStyle | WS_TABSTOP | BS_CHECKBOX | BS_MULTILINE, 0,
                              parent, control.Name());
            break;
        case ControlKind::RadioGroup:
            // The items are children of the group: they paint, hit-test and hide with it, and
            // the group erases its own background, so nothing of another page stays inside.
            window = NewChild(RadioGroupClass, ChildStyle, WS_EX_CONTROLPARENT, parent,
                              control.Name());
            frame = NewChild("BUTTON", ChildStyle | WS_VISIBLE | BS_GROUPBOX, 0, window,
                             control.Name() + ".Frame");
            SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            break;
        case ControlKind::Edit:
            window = NewChild("EDIT", ChildStyle | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
                              parent, control.Name());
            break;
        case ControlKind::UpDown:
            window = NewChild(UPDOWN_CLASSA, ChildStyle | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0,
                              parent, control.Name());
            // The model steps the position; the control only reports the arrows and keys.
            SendMessageA(window, UDM_SETRANGE32, 0, 100);
            SendMessageA(window, UDM_SETPOS32, 0, 50);
            break;
        case ControlKind::ComboBox:
            window = NewChild("COMBOBOX", ChildStyle | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                              0, parent, control.Name());
            break;
        case ControlKind::PageControl: {
            const auto& pages = static_cast<const TPageControl&>(control);
            window = NewChild(WC_TABCONTROLA,
                              ChildStyle | WS_CLIPCHILDREN | WS_TABSTOP |
                                  (pages.MultiLine() ? TCS_MULTILINE : 0),
                              0, parent, control.Name());
            break;
        }
        case ControlKind::TabSheet: {
            const auto& sheet = static_cast<const TTabSheet&>(control);
            window = NewChild(SheetClass, ChildStyle | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT,
                              parent, control.Name());
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            std::string caption = sheet.Caption();
            item.pszText = caption.data();
            SendMessageA(parent, TCM_INSERTITEMA, static_cast<WPARAM>(sheet.PageIndex()),
                         reinterpret_cast<LPARAM>(&item));
            break;
        }
        case ControlKind::FileListBox:
            return;  // never visible: no window
    }
    ControlWindow& entry = controls_[&control];
    entry.control = &control;
    entry.window = window;
    entry.frame = frame;
    entry.form = &form;
    control.ViewData = reinterpret_cast<std::uintptr_t>(window);
    byWindow_[window] = &control;
}

void Win32View::SetText(HWND window, const std::string& text) {
    if (WindowText(window) == text) return;
    ++syncing_;
    SetWindowTextA(window, text.c_str());
    --syncing_;
}

void Win32View::ControlChanged(TControl& control) {
    const auto found = controls_.find(&control);
    if (found == controls_.end()) return;
    Sync(found->second);
    // A sheet's caption may change the rows of tabs and so the place of every sheet.
    if (control.Kind() == ControlKind::TabSheet) {
        LayoutSheets(static_cast<TTabSheet&>(control).PageControl());
    }
}

void Win32View::Sync(ControlWindow& entry) {
    TControl& control = *entry.control;
    const HWND window = entry.window;
    bool visible = control.Visible();
    int height = control.Height();
    switch (control.Kind()) {
        case ControlKind::Label: {
            const auto& label = static_cast<const TLabel&>(control);
            SetText(window, label.Filled() ? std::string() : label.Caption());
            // Only a label that is clicked or shows a hint takes the mouse; the others let
            // it through to the window below, as windowless labels do.
            const LONG style = GetWindowLongA(window, GWL_STYLE);
            const bool notify = static_cast<bool>(label.OnClick) ||
                                (label.ShowHint() && !label.Hint().empty());
            const LONG wanted = notify ? (style | SS_NOTIFY) : (style & ~SS_NOTIFY);
            if (wanted != style) SetWindowLongA(window, GWL_STYLE, wanted);
            InvalidateRect(window, nullptr, TRUE);
            break;
        }
        case ControlKind::Button:
            SetText(window, static_cast<const TButton&>(control).Caption());
            break;
        case ControlKind::SpeedButton: {
            const auto& button = static_cast<const TSpeedButton&>(control);
            SetText(window, button.Caption());
            if (button.GroupIndex() != 0) {
                SendMessageA(window, BM_SETCHECK, button.Down() ? BST_CHECKED : BST_UNCHECKED, 0);
            } else {
                ChooseButtonFont(window, button);
                InvalidateRect(window, nullptr, FALSE);
            }
            break;
        }
        case ControlKind::CheckBox: {
            const auto& box = static_cast<const TCheckBox&>(control);
            SetText(window, box.Caption());
            SendMessageA(window, BM_SETCHECK, box.Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
            break;
        }
        case ControlKind::RadioGroup: {
            const std::string& caption = static_cast<const TRadioGroup&>(control).Caption();
            SetText(window, caption);
            SetText(entry.frame, caption);
            SetWindowPos(entry.frame, HWND_BOTTOM, 0, 0, control.Width(), control.Height(),
                         SWP_NOACTIVATE);
            SyncRadioItems(entry);
            break;
        }
        case ControlKind::Edit:
            SetText(window, static_cast<const TEdit&>(control).Text());
            break;
        case ControlKind::ComboBox: {
            SyncComboItems(entry);
            // The dropped list shows DropDownCount rows of the list's own height.
            const auto& combo = static_cast<const TComboBox&>(control);
            const auto itemHeight = static_cast<int>(SendMessageA(window, CB_GETITEMHEIGHT, 0, 0));
            if (itemHeight > 0) height += itemHeight * combo.DropDownCount() + 2;
            break;
        }
        case ControlKind::PageControl:
            SyncPages(static_cast<const TPageControl&>(control));
            break;
        case ControlKind::TabSheet: {
            const auto& sheet = static_cast<const TTabSheet&>(control);
            std::string caption = sheet.Caption();
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            item.pszText = caption.data();
            SendMessageA(GetParent(window), TCM_SETITEMA, static_cast<WPARAM>(sheet.PageIndex()),
                         reinterpret_cast<LPARAM>(&item));
            visible = visible && sheet.PageControl().ActivePage() == &sheet;
            break;
        }
        case ControlKind::UpDown: {
            // Attached to its edit: the arrow keys in the edit step the value as the arrows do.
            const HWND buddy = WindowOf(static_cast<const TUpDown&>(control).Associate());
            if (!entry.buddied && buddy != nullptr) {
                SendMessageA(window, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
                entry.buddied = true;
            }
            break;
        }
        case ControlKind::FileListBox:
            break;
    }
    if (control.Kind() != ControlKind::TabSheet) {
        SetWindowPos(window, nullptr, control.Left(), control.Top(), control.Width(), height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    EnableWindow(window, control.Enabled());
    ShowWindow(window, visible ? SW_SHOWNA : SW_HIDE);
    SyncTooltip(entry);
}

void Win32View::SyncRadioItems(ControlWindow& entry) {
    auto& group = static_cast<TRadioGroup&>(*entry.control);
    std::vector<std::string> texts;
    for (const auto& item : group.Items()) texts.push_back(item.Text);
    if (texts != entry.shownItems) {
        for (HWND item : entry.items) {
            radioItems_.erase(item);
            DestroyWindow(item);
        }
        entry.items.clear();
        for (std::size_t i = 0; i < texts.size(); ++i) {
            HWND item = NewChild("BUTTON", ChildStyle | WS_TABSTOP | BS_RADIOBUTTON | (i == 0 ? WS_GROUP : 0),
                                 0, entry.window, group.Name() + ".Items[" + std::to_string(i) + "]");
            SetText(item, texts[i]);
            radioItems_[item] = {&group, static_cast<int>(i)};
            entry.items.push_back(item);
        }
        entry.shownItems = texts;
    }
    // Items fill the group's columns top to bottom, each row centred in its share of the
    // room below the caption.
    const int count = static_cast<int>(entry.items.size());
    const int columns = std::max(1, group.Columns());
    const int rows = std::max(1, (count + columns - 1) / columns);
    const int columnWidth = (group.Width() - 16) / columns;
    const int rowHeight = (group.Height() - RadioCaptionHeight - 4) / rows;
    for (int i = 0; i < count; ++i) {
        HWND item = entry.items[static_cast<std::size_t>(i)];
        const int column = i / rows;
        const int row = i % rows;
        SetWindowPos(item, nullptr, 8 + column * columnWidth,
                     RadioCaptionHeight + row * rowHeight + (rowHeight - RadioItemHeight) / 2,
                     columnWidth - 4, RadioItemHeight, SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageA(item, BM_SETCHECK, group.ItemIndex() == i ? BST_CHECKED : BST_UNCHECKED, 0);
        EnableWindow(item, group.Enabled());
        ShowWindow(item, SW_SHOWNA);
    }
}

void Win32View::SyncComboItems(ControlWindow& entry) {
    const auto& combo = static_cast<const TComboBox&>(*entry.control);
    if (combo.Items() != entry.shownItems) {
        SendMessageA(entry.window, CB_RESETCONTENT, 0, 0);
        for (const std::string& text : combo.Items()) {
            SendMessageA(entry.window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        }
        entry.shownItems = combo.Items();
    }
    if (SendMessageA(entry.window, CB_GETCURSEL, 0, 0) != combo.ItemIndex()) {
        SendMessageA(entry.window, CB_SETCURSEL, static_cast<WPARAM>(combo.ItemIndex()), 0);
    }
}

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

void Win32View::SyncTooltip(ControlWindow& entry) {
    const TControl& control = *entry.control;
    std::string text = control.Hint();
    std::vector<HWND> targets;
    if (control.ShowHint() && !text.empty()) {
        // A radio group shows its hint over its items as well as over its frame.
        targets.push_back(entry.window);
        targets.insert(targets.end(), entry.items.begin(), entry.items.end());
    }
    if (targets == entry.hinted && entry.hintShown == text) return;
    const HWND tooltip = entry.form->tooltip;
    for (HWND tool : entry.hinted) {
        TOOLINFOA info = ToolFor(GetParent(tool), tool, text);
        SendMessageA(tooltip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    }
    entry.hinted.clear();
    for (HWND tool : targets) {
        TOOLINFOA info = ToolFor(GetParent(tool), tool, text);
        if (SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)) != 0) {
            entry.hinted.push_back(tool);
        }
    }
    entry.hintShown = text;
}

void Win32View::SyncFormHint(FormWindow& entry) {
    const TForm& form = *entry.form;
    std::string text = form.Hint();
    TOOLINFOA info = ToolFor(entry.window, entry.window, text);
    if (entry.hinted) SendMessageA(entry.tooltip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    entry.hinted = form.ShowHint() && !text.empty() &&
                   SendMessageA(entry.tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)) != 0;
}

void Win32View::SyncPages(const TPageControl& pages) {
    const HWND window = WindowOf(&pages);
    const int active = pages.ActivePage() != nullptr ? pages.ActivePage()->PageIndex() : -1;
    if (SendMessageA(window, TCM_GETCURSEL, 0, 0) != active) {
        SendMessageA(window, TCM_SETCURSEL, static_cast<WPARAM>(active), 0);
    }
    const HWND focus = GetFocus();
    bool focusHidden = false;
    for (TTabSheet* page : pages.Pages()) {
        const auto sheet = controls_.find(page);
        if (sheet == controls_.end()) continue;
        Sync(sheet->second);
        if (page != pages.ActivePage() && focus != nullptr && IsChild(sheet->second.window, focus)) {
            focusHidden = true;
        }
    }
    // The focus does not stay on a page out of sight: the tabs take it.
    if (focusHidden) SetFocus(window);
}

void Win32View::LayoutSheets(const TPageControl& pages) {
    const HWND window = WindowOf(&pages);
    if (window == nullptr) return;
    RECT area{};
    GetClientRect(window, &area);
    SendMessageA(window, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    for (TTabSheet* page : pages.Pages()) {
        const HWND sheet = WindowOf(page);
        if (sheet == nullptr) continue;
        SetWindowPos(sheet, nullptr, area.left, area.top, area.right - area.left,
                     area.bottom - area.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

namespace {

// How a speed button lays out its caption: centred, on as many lines as it needs, a word
// wider than the button broken between its letters. The caption's blanks only pad it.
constexpr UINT SpeedButtonText = DT_CENTER | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX;

SIZE CaptionExtent(HDC dc, const std::string& text, int width) {
    RECT box{0, 0, width, 0};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box, SpeedButtonText | DT_CALCRECT);
    return {box.right - box.left, box.bottom - box.top};
}

}  // namespace

void Win32View::ChooseButtonFont(HWND window, const TSpeedButton& button) {
    if (button.HasGlyph()) return;
    const std::string text = Trimmed(button.Caption());
    const int roomX = button.Width() - 2 * SpeedButtonEdge;
    const int roomY = button.Height() - 2 * SpeedButtonEdge;
    HDC dc = GetDC(window);
    const HGDIOBJ old = GetCurrentObject(dc, OBJ_FONT);
    HFONT chosen = font_;
    std::vector<HFONT> candidates{font_};
    candidates.insert(candidates.end(), smallFonts_.begin(), smallFonts_.end());
    for (HFONT font : candidates) {
        chosen = font;
        SelectObject(dc, font);
        const SIZE size = CaptionExtent(dc, text, roomX);
        if (size.cx <= roomX && size.cy <= roomY) break;
    }
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    if (reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)) != chosen) {
        SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(chosen), TRUE);
    }
}

bool Win32View::DrawSpeedButton(const DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_BUTTON) return false;
    const auto found = byWindow_.find(item.hwndItem);
    if (found == byWindow_.end() || found->second->Kind() != ControlKind::SpeedButton) return false;
    const auto& button = static_cast<const TSpeedButton&>(*found->second);
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
        return true;
    }
    const std::string text = Trimmed(button.Caption());
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(item.hwndItem, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    const SIZE size = CaptionExtent(dc, text, inner.right - inner.left);
    inner.top += (inner.bottom - inner.top - size.cy) / 2;
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &inner, SpeedButtonText);
    SelectObject(dc, old);
    return true;
}

void Win32View::FormChanged(TForm& form) {
    for (auto& entry : forms_) {
        if (entry->form == &form) SyncForm(*entry);
    }
}

void Win32View::SyncForm(FormWindow& entry) {
    TForm& form = *entry.form;
    SetText(entry.window, form.Caption());
    RECT frame{0, 0, form.ClientWidth(), form.ClientHeight()};
    AdjustWindowRectEx(&frame, FormStyle(form), FALSE, FormExStyle(form));
    const int width = frame.right - frame.left;
    const int height = form.Height() > 0 ? form.Height() : frame.bottom - frame.top;
    RECT place{form.Left(), form.Top(), form.Left() + width, form.Top() + height};
    if (BringOnScreen(place)) form.MovedTo(place.left, place.top);
    if (IsIconic(entry.window)) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(entry.window, &placement);
        const POINT offset = WorkspaceOffset(entry.window);
        placement.rcNormalPosition = place;
        OffsetRect(&placement.rcNormalPosition, -offset.x, -offset.y);
        SetWindowPlacement(entry.window, &placement);
    } else {
        SetWindowPos(entry.window, nullptr, place.left, place.top, width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    for (TControl* control : form.Controls()) {
        if (control->Kind() == ControlKind::PageControl) {
            LayoutSheets(static_cast<const TPageControl&>(*control));
        }
    }
    SyncFormHint(entry);
    if (form.Visible() != entry.shown) {
        entry.shown = form.Visible();
        // While the application is minimised a form shows again with it.
        if (!entry.shown) {
            ShowWindow(entry.window, SW_HIDE);
        } else if (!IsIconic(application_)) {
            ShowWindow(entry.window, SW_SHOW);
        }
    }
}

Win32View::FormWindow* Win32View::FindForm(HWND window) {
    for (auto& entry : forms_) {
        if (entry->window == window) return entry.get();
    }
    return nullptr;
}

Win32View::FormWindow* Win32View::MainForm() {
    for (auto& entry : forms_) {
        if (IsMainForm(*entry->form)) return entry.get();
    }
    return nullptr;
}

void Win32View::Guarded(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& error) {
        host_.ReportError(error.what());
    }
}

HBRUSH Win32View::Brush(TColor color) {
    auto found = brushes_.find(color);
    if (found == brushes_.end()) {
        found = brushes_.emplace(color, CreateSolidBrush(ColorOf(color))).first;
    }
    return found->second;
}

void Win32View::Command(HWND source, WORD code) {
    if (syncing_ != 0) return;
    const auto radio = radioItems_.find(source);
    if (radio != radioItems_.end()) {
        if (code == BN_CLICKED) {
            auto [group, index] = radio->second;
            Guarded([group = group, index = index] { group->SetItemIndex(index); });
        }
        return;
    }
    const auto found = byWindow_.find(source);
    if (found == byWindow_.end()) return;
    TControl* control = found->second;
    switch (control->Kind()) {
        case ControlKind::Button:
            if (code == BN_CLICKED) Guarded([control] { static_cast<TButton*>(control)->Click(); });
            break;
        case ControlKind::SpeedButton:
            if (code == BN_CLICKED) {
                Guarded([control] { static_cast<TSpeedButton*>(control)->Click(); });
            }
            break;
        case ControlKind::CheckBox:
            if (code == BN_CLICKED) Guarded([control] { static_cast<TCheckBox*>(control)->Click(); });
            break;
        case ControlKind::Label:
            if (code == STN_CLICKED) Guarded([control] { static_cast<TLabel*>(control)->Click(); });
            break;
        case ControlKind::Edit:
            if (code == EN_CHANGE) {
                const std::string text = WindowText(source);
                Guarded([control, text] { static_cast<TEdit*>(control)->SetText(text); });
            }
            break;
        case ControlKind::ComboBox:
            if (code == CBN_SELCHANGE) {
                const int index = static_cast<int>(SendMessageA(source, CB_GETCURSEL, 0, 0));
                Guarded([control, index] { static_cast<TComboBox*>(control)->UserSelect(index); });
            }
            break;
        default:
            break;
    }
}

LRESULT Win32View::Notify(const NMHDR& header) {
    const auto found = byWindow_.find(header.hwndFrom);
    if (found == byWindow_.end()) return 0;
    TControl* control = found->second;
    if (control->Kind() == ControlKind::PageControl && header.code == TCN_SELCHANGE) {
        auto* pages = static_cast<TPageControl*>(control);
        const auto index = SendMessageA(header.hwndFrom, TCM_GETCURSEL, 0, 0);
        if (index >= 0 && static_cast<std::size_t>(index) < pages->Pages().size()) {
            Guarded([pages, index] { pages->SetActivePage(pages->Pages()[index]); });
        }
        return 0;
    }
    if (control->Kind() == ControlKind::UpDown && header.code == UDN_DELTAPOS) {
        const auto& change = reinterpret_cast<const NMUPDOWN&>(header);
        const bool up = change.iDelta > 0;
        Guarded([control, up] { static_cast<TUpDown*>(control)->ClickArrow(up); });
        return TRUE;  // the model keeps the position
    }
    return 0;
}

// --- keyboard ---------------------------------------------------------------------------

bool Win32View::PreTranslate(const MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSCHAR) return false;
    FormWindow* form = FindForm(GetAncestor(message.hwnd, GA_ROOT));
    if (form == nullptr) return false;
    if (message.message == WM_SYSCHAR) {
        return SelectPageByAccelerator(*form, static_cast<char>(message.wParam));
    }
    switch (message.wParam) {
        case VK_TAB:
            if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
            MoveFocus(*form, GetKeyState(VK_SHIFT) < 0);
            return true;
        case VK_LEFT:
        case VK_UP:
            return StepRadioItem(GetFocus(), true);
        case VK_RIGHT:
        case VK_DOWN:
            return StepRadioItem(GetFocus(), false);
        default:
            return false;
    }
}

bool Win32View::SelectPageByAccelerator(FormWindow& form, char key) {
    const char wanted = static_cast<char>(std::toupper(static_cast<unsigned char>(key)));
    for (TControl* control : form.form->Controls()) {
        if (control->Kind() != ControlKind::PageControl) continue;
        auto* pages = static_cast<TPageControl*>(control);
        const HWND window = WindowOf(pages);
        if (window == nullptr || !IsWindowVisible(window) || !pages->EffectivelyEnabled()) continue;
        for (TTabSheet* page : pages->Pages()) {
            if (AcceleratorOf(page->Caption()) != wanted) continue;
            Guarded([pages, page] { pages->SetActivePage(page); });
            SetFocus(window);
            return true;
        }
    }
    return false;
}

std::vector<HWND> Win32View::TabOrder(const FormWindow& form) const {
    // The order the controls were made in, as the toolkit's tab order: only those the user
    // can reach now.
    std::vector<HWND> order;
    for (TControl* control : form.form->Controls()) {
        const auto found = controls_.find(control);
        if (found == controls_.end()) continue;
        HWND window = nullptr;
        switch (control->Kind()) {
            case ControlKind::Button:
            case ControlKind::CheckBox:
            case ControlKind::Edit:
            case ControlKind::ComboBox:
            case ControlKind::PageControl:
                window = found->second.window;
                break;
            case ControlKind::RadioGroup: {
                const auto& items = found->second.items;
                const int index = static_cast<const TRadioGroup*>(control)->ItemIndex();
                if (!items.empty()) {
                    window = index >= 0 && static_cast<std::size_t>(index) < items.size()
                                 ? items[static_cast<std::size_t>(index)]
                                 : items.front();
                }
                break;
            }
            default:
                break;
        }
        if (window != nullptr && IsWindowVisible(window) && EnabledUpTo(window, form.window)) {
            order.push_back(window);
        }
    }
    return order;
}

void Win32View::MoveFocus(FormWindow& form, bool backwards) {
    const std::vector<HWND> order = TabOrder(form);
    if (order.empty()) return;
    const HWND focus = GetFocus();
    const auto sameGroup = [this](HWND a, HWND b) {
        const auto ra = radioItems_.find(a);
        const auto rb = radioItems_.find(b);
        return ra != radioItems_.end() && rb != radioItems_.end() && ra->second.first == rb->second.first;
    };
    const std::size_t count = order.size();
    std::size_t next = backwards ? count - 1 : 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (order[i] == focus || sameGroup(order[i], focus)) {
            next = backwards ? (i + count - 1) % count : (i + 1) % count;
            break;
        }
    }
    const HWND target = order[next];
    SetFocus(target);
    if (IsEdit(target)) SendMessageA(target, EM_SETSEL, 0, -1);
}

bool Win32View::StepRadioItem(HWND focus, bool backwards) {
    const auto found = radioItems_.find(focus);
    if (found == radioItems_.end()) return false;
    auto [group, index] = found->second;
    const auto& items = controls_.at(group).items;
    const int count = static_cast<int>(items.size());
    const int next = (index + (backwards ? count - 1 : 1)) % count;
    // The item that takes the focus is chosen, as the arrow keys do in a group of options.
    SetFocus(items[static_cast<std::size_t>(next)]);
    if (group->ItemIndex() != next) Guarded([group = group, next] { group->SetItemIndex(next); });
    return true;
}

void Win32View::RestoreFocus(FormWindow& form) {
    const HWND last = form.lastFocus;
    if (last != nullptr && IsWindow(last) && IsChild(form.window, last) && IsWindowVisible(last) &&
        EnabledUpTo(last, form.window)) {
        SetFocus(last);
        return;
    }
    const std::vector<HWND> order = TabOrder(form);
    SetFocus(order.empty() ? form.window : order.front());
}

// --- messages -----------------------------------------------------------------------------

LRESULT CALLBACK Win32View::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Win32View*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    return self->Handle(window, message, wParam, lParam);
}

LRESULT Win32View::HandleApplication(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETFOCUS:
            // Chosen on the taskbar or with Alt+Tab: the form in front takes over.
            PostMessageA(application_, ForwardActivation, 0, 0);
            return 0;
        case ForwardActivation: {
            if (IsIconic(application_)) return 0;
            HWND target = nullptr;
            for (const auto& entry : forms_) {
                if (!entry->shown) continue;
                if (target == nullptr || entry->window == lastActive_) target = entry->window;
            }
            if (target != nullptr) SetForegroundWindow(target);
            return 0;
        }
        case WM_SIZE:
            // Minimised, the application takes its forms out of sight; restored, it brings
            // back those the program shows.
            if (wParam == SIZE_MINIMIZED) {
                for (const auto& entry : forms_) ShowWindow(entry->window, SW_HIDE);
            } else if (wParam == SIZE_RESTORED) {
                for (const auto& entry : forms_) {
                    if (entry->shown) ShowWindow(entry->window, SW_SHOWNA);
                }
                PostMessageA(application_, ForwardActivation, 0, 0);
            }
            return 0;
        case WM_CLOSE:
            // Closed from the taskbar: the main window closes, which ends the program.
            if (FormWindow* main = MainForm()) PostMessageA(main->window, WM_CLOSE, 0, 0);
            return 0;
        default:
            break;
    }
    return DefWindowProcA(application_, message, wParam, lParam);
}

LRESULT Win32View::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window == application_) return HandleApplication(message, wParam, lParam);
    switch (message) {
        case WM_COMMAND:
            if (lParam != 0) Command(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
            return 0;
        case WM_NOTIFY:
            return Notify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_DRAWITEM:
            if (DrawSpeedButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
            break;
        case WM_CTLCOLORSTATIC: {
            const auto found = byWindow_.find(reinterpret_cast<HWND>(lParam));
            if (found != byWindow_.end() && found->second->Kind() == ControlKind::Label) {
                const auto& label = static_cast<const TLabel&>(*found->second);
                const HDC dc = reinterpret_cast<HDC>(wParam);
                SetBkColor(dc, ColorOf(label.Color()));
                SetTextColor(dc, ColorOf(label.FontColor()));
                return reinterpret_cast<LRESULT>(Brush(label.Color()));
            }
            break;
        }
        case WM_SETCURSOR: {
            // A sheet's cursor shows over the sheet itself and over its labels (windowless
            // in the toolkit the program was designed with); other controls keep their own,
            // the text cursor of an edit among them.
            const auto found = byWindow_.find(window);
            const auto under = byWindow_.find(reinterpret_cast<HWND>(wParam));
            const bool own = reinterpret_cast<HWND>(wParam) == window ||
                             (under != byWindow_.end() && under->second->Kind() == ControlKind::Label);
            if (found != byWindow_.end() && found->second->Cursor() != TCursor::Default && own &&
                LOWORD(lParam) == HTCLIENT) {
                SetCursor(LoadCursor(nullptr, found->second->Cursor() == TCursor::Cross ? IDC_CROSS
                                                                                        : IDC_HAND));
                return TRUE;
            }
            break;
        }
        case WM_GETMINMAXINFO:
            if (FindForm(window) != nullptr) {
                // The toolbar window is narrower than the system's smallest captioned window.
                auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
                limits->ptMinTrackSize = {1, 1};
                return 0;
            }
            break;
        case WM_MOVE:
            // The model keeps the normal position: a minimised window's stand-in place off
            // the screen is never saved.
            if (FormWindow* form = FindForm(window)) {
                const RECT place = NormalRect(window);
                form->form->MovedTo(place.left, place.top);
            }
            return 0;
        case WM_ACTIVATE:
            if (FormWindow* form = FindForm(window)) {
                if (LOWORD(wParam) == WA_INACTIVE) {
                    const HWND focus = GetFocus();
                    if (focus != nullptr && IsChild(window, focus)) form->lastFocus = focus;
                } else if (HIWORD(wParam) == 0) {
                    lastActive_ = window;
                    RestoreFocus(*form);
                }
                return 0;
            }
            break;
        case WM_SYSCOMMAND:
            // The minimise box minimises the application, which hides every form.
            if ((wParam & 0xFFF0) == SC_MINIMIZE) {
                if (FormWindow* form = FindForm(window); form != nullptr && IsMainForm(*form->form)) {
                    ShowWindow(application_, SW_MINIMIZE);
                    return 0;
                }
            }
            break;
        case WM_CLOSE:
            if (FormWindow* form = FindForm(window)) {
                TForm* model = form->form;
                Guarded([model] { model->Close(); });
                if (model->Closed()) DestroyWindow(window);
            }
            return 0;
        case WM_DESTROY:
            if (FormWindow* form = FindForm(window); form != nullptr && IsMainForm(*form->form)) {
                PostQuitMessage(0);
            }
            return 0;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int Win32View::Run() {
    ShowWindow(application_, SW_SHOWNA);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (PreTranslate(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

void Win32View::DetachAll() {
    for (auto& entry : forms_) {
        entry->form->SetObserver(nullptr);
        entry->form->SetTextMeasure({});
        if (IsWindow(entry->window)) {
            SetWindowLongPtrA(entry->window, GWLP_USERDATA, 0);
            DestroyWindow(entry->window);
        }
    }
    forms_.clear();
    controls_.clear();
    byWindow_.clear();
    radioItems_.clear();
    for (ATOM atom : atoms_) GlobalDeleteAtom(atom);
    atoms_.clear();
}

}  // namespace hf
