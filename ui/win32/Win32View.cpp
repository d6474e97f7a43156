#include "ui/win32/Win32View.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <exception>

#include "ui/Form.h"

namespace hf {

namespace {

constexpr const char* SheetClass = "TTabSheet";
constexpr DWORD ChildStyle = WS_CHILD | WS_CLIPSIBLINGS;
constexpr int RadioItemHeight = 17;

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

std::string WindowClassOf(const TForm& form) { return "T" + form.Name(); }

bool IsMainForm(const TForm& form) { return form.Owner() == nullptr; }

DWORD FormStyle(const TForm& form) {
    // The main window has a fixed single border; the toolbar is sizeable without border icons.
    return IsMainForm(form) ? WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX
                            : WS_POPUP | WS_CAPTION | WS_THICKFRAME;
}

DWORD FormExStyle(const TForm& form) { return IsMainForm(form) ? 0 : WS_EX_TOOLWINDOW; }

}  // namespace

Win32View::Win32View(HINSTANCE instance, HostServices& host) : instance_(instance), host_(host) {
    font_ = CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
    RegisterClasses();
}

Win32View::~Win32View() {
    DetachAll();
    for (const auto& [color, brush] : brushes_) DeleteObject(brush);
    if (font_ != nullptr) DeleteObject(font_);
}

void Win32View::RegisterClasses() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance_;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    for (const char* name : {"TFormMain", "TfrmToolbar", SheetClass}) {
        windowClass.lpszClassName = name;
        RegisterClassA(&windowClass);
    }
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
    // An owned window (the toolbar) goes with its owner and has no button of its own.
    HWND owner = nullptr;
    for (const auto& other : forms_) {
        if (other->form == form.Owner()) owner = other->window;
    }
    entry->window = CreateWindowExA(FormExStyle(form), WindowClassOf(form).c_str(),
                                    form.Caption().c_str(), FormStyle(form), form.Left(),
                                    form.Top(), 100, 100, owner, nullptr, instance_, nullptr);
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
    if (control.Parent() == nullptr) return form.window;
    const auto found = controls_.find(control.Parent());
    return found != controls_.end() ? found->second.window : form.window;
}

void Win32View::CreateControl(FormWindow& form, TControl& control) {
    const HWND parent = ParentWindow(form, control);
    HWND window = nullptr;
    switch (control.Kind()) {
        case ControlKind::Label: {
            const auto& label = static_cast<const TLabel&>(control);
            window = NewChild("STATIC",
                              ChildStyle | SS_NOTIFY | SS_NOPREFIX |
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
            const auto& button = static_cast<const TSpeedButton&>(control);
            window = NewChild("BUTTON",
                              ChildStyle | (button.GroupIndex() != 0 ? BS_CHECKBOX | BS_PUSHLIKE
                                                                     : BS_PUSHBUTTON),
                              0, parent, control.Name());
            break;
        }
        case ControlKind::CheckBox:
            window = NewChild("BUTTON", ChildStyle | WS_TABSTOP | BS_CHECKBOX, 0, parent,
                              control.Name());
            break;
        case ControlKind::RadioGroup:
            window = NewChild("BUTTON", ChildStyle | BS_GROUPBOX, 0, parent, control.Name());
            break;
        case ControlKind::Edit:
            window = NewChild("EDIT", ChildStyle | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
                              parent, control.Name());
            break;
        case ControlKind::UpDown:
            window = NewChild(UPDOWN_CLASSA, ChildStyle | UDS_ARROWKEYS, 0, parent,
                              control.Name());
            // The model steps the position; the control only reports the arrows.
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
    entry.form = &form;
    control.ViewData = reinterpret_cast<std::uintptr_t>(window);
    byWindow_[window] = &control;
    if (control.Kind() == ControlKind::RadioGroup) {
        SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
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
    switch (control.Kind()) {
        case ControlKind::Label: {
            const auto& label = static_cast<const TLabel&>(control);
            SetText(window, label.Filled() ? std::string() : label.Caption());
            InvalidateRect(window, nullptr, TRUE);
            break;
        }
        case ControlKind::Button:
            SetText(window, static_cast<const TButton&>(control).Caption());
            break;
        case ControlKind::SpeedButton: {
            const auto& button = static_cast<const TSpeedButton&>(control);
            // The return button's small image: a double arrow toward the main window.
            SetText(window, button.HasGlyph() ? std::string("\xAB") : button.Caption());
            SendMessageA(window, BM_SETCHECK, button.Down() ? BST_CHECKED : BST_UNCHECKED, 0);
            break;
        }
        case ControlKind::CheckBox: {
            const auto& box = static_cast<const TCheckBox&>(control);
            SetText(window, box.Caption());
            SendMessageA(window, BM_SETCHECK, box.Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
            break;
        }
        case ControlKind::RadioGroup:
            SetText(window, static_cast<const TRadioGroup&>(control).Caption());
            SyncRadioItems(entry);
            break;
        case ControlKind::Edit:
            SetText(window, static_cast<const TEdit&>(control).Text());
            break;
        case ControlKind::ComboBox:
            SyncComboItems(entry);
            break;
        case ControlKind::PageControl: {
            const auto& pages = static_cast<const TPageControl&>(control);
            const int active = pages.ActivePage() != nullptr ? pages.ActivePage()->PageIndex() : -1;
            if (SendMessageA(window, TCM_GETCURSEL, 0, 0) != active) {
                SendMessageA(window, TCM_SETCURSEL, static_cast<WPARAM>(active), 0);
            }
            for (TTabSheet* page : pages.Pages()) {
                const auto sheet = controls_.find(page);
                if (sheet != controls_.end()) Sync(sheet->second);
            }
            break;
        }
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
        case ControlKind::UpDown:
        case ControlKind::FileListBox:
            break;
    }
    if (control.Kind() != ControlKind::TabSheet) {
        int height = control.Height();
        if (control.Kind() == ControlKind::ComboBox) {
            height += 16 * static_cast<const TComboBox&>(control).DropDownCount();
        }
        SetWindowPos(window, nullptr, control.Left(), control.Top(), control.Width(), height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    EnableWindow(window, control.Enabled());
    ShowWindow(window, visible ? SW_SHOWNA : SW_HIDE);
    SyncTooltip(entry, window);
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
        const HWND parent = GetParent(entry.window);
        for (std::size_t i = 0; i < texts.size(); ++i) {
            HWND item = NewChild("BUTTON", ChildStyle | WS_TABSTOP | BS_RADIOBUTTON, 0, parent,
                                 group.Name() + ".Items[" + std::to_string(i) + "]");
            SetText(item, texts[i]);
            radioItems_[item] = {&group, static_cast<int>(i)};
            entry.items.push_back(item);
        }
        entry.shownItems = texts;
    }
    for (std::size_t i = 0; i < entry.items.size(); ++i) {
        HWND item = entry.items[i];
        SetWindowPos(item, HWND_TOP, group.Left() + 10,
                     group.Top() + 18 + static_cast<int>(i) * (RadioItemHeight + 2),
                     group.Width() - 20, RadioItemHeight, SWP_NOACTIVATE);
        SendMessageA(item, BM_SETCHECK,
                     group.ItemIndex() == static_cast<int>(i) ? BST_CHECKED : BST_UNCHECKED, 0);
        EnableWindow(item, group.Enabled());
        ShowWindow(item, group.Visible() ? SW_SHOWNA : SW_HIDE);
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

void Win32View::SyncTooltip(ControlWindow& entry, HWND tool) {
    const TControl& control = *entry.control;
    const bool wanted = control.ShowHint() && !control.Hint().empty();
    if (!wanted && !entry.tooltip) return;
    std::string text = control.Hint();
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = GetParent(tool);
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = text.data();
    const HWND tooltip = entry.form->tooltip;
    if (!wanted) {
        SendMessageA(tooltip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
        entry.tooltip = false;
    } else if (!entry.tooltip) {
        entry.tooltip = SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)) != 0;
    } else {
        SendMessageA(tooltip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
    }
}

void Win32View::LayoutSheets(const TPageControl& pages) {
    const auto found = controls_.find(&pages);
    if (found == controls_.end()) return;
    RECT area{};
    GetClientRect(found->second.window, &area);
    SendMessageA(found->second.window, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    for (TTabSheet* page : pages.Pages()) {
        const auto sheet = controls_.find(page);
        if (sheet == controls_.end()) continue;
        SetWindowPos(sheet->second.window, nullptr, area.left, area.top, area.right - area.left,
                     area.bottom - area.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Win32View::FormChanged(TForm& form) {
    for (auto& entry : forms_) {
        if (entry->form == &form) SyncForm(*entry);
    }
}

void Win32View::SyncForm(FormWindow& entry) {
    const TForm& form = *entry.form;
    SetText(entry.window, form.Caption());
    RECT frame{0, 0, form.ClientWidth(), form.ClientHeight()};
    AdjustWindowRectEx(&frame, FormStyle(form), FALSE, FormExStyle(form));
    const int width = frame.right - frame.left;
    const int height = form.Height() > 0 ? form.Height() : frame.bottom - frame.top;
    SetWindowPos(entry.window, nullptr, form.Left(), form.Top(), width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    for (TControl* control : form.Controls()) {
        if (control->Kind() == ControlKind::PageControl) {
            LayoutSheets(static_cast<const TPageControl&>(*control));
        }
    }
    const bool shown = IsWindowVisible(entry.window) != FALSE;
    if (form.Visible() != shown) ShowWindow(entry.window, form.Visible() ? SW_SHOW : SW_HIDE);
}

Win32View::FormWindow* Win32View::FindForm(HWND window) {
    for (auto& entry : forms_) {
        if (entry->window == window) return entry.get();
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

LRESULT CALLBACK Win32View::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Win32View*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    return self->Handle(window, message, wParam, lParam);
}

LRESULT Win32View::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (lParam != 0) Command(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
            return 0;
        case WM_NOTIFY:
            return Notify(*reinterpret_cast<const NMHDR*>(lParam));
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
            const auto found = byWindow_.find(window);
            if (found != byWindow_.end() && found->second->Cursor() != TCursor::Default) {
                SetCursor(LoadCursor(nullptr, found->second->Cursor() == TCursor::Cross
                                                  ? IDC_CROSS
                                                  : IDC_HAND));
                return TRUE;
            }
            break;
        }
        case WM_GETMINMAXINFO: {
            // The toolbar window is narrower than the system's smallest captioned window.
            auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            limits->ptMinTrackSize = {1, 1};
            return 0;
        }
        case WM_MOVE:
            if (FormWindow* form = FindForm(window)) {
                RECT frame{};
                GetWindowRect(window, &frame);
                form->form->MovedTo(frame.left, frame.top);
            }
            return 0;
        case WM_CLOSE:
            if (FormWindow* form = FindForm(window)) {
                if (IsMainForm(*form->form)) {
                    TForm* model = form->form;
                    Guarded([model] { model->Close(); });
                    if (model->Closed()) DestroyWindow(window);
                } else {
                    // A secondary window only hides.
                    TForm* model = form->form;
                    Guarded([model] { model->Hide(); });
                }
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
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
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
