#include "ui/win32/Win32View.h"

#include <commctrl.h>

#include <exception>

#include "ui/Form.h"
#include "ui/win32/FormFrame.h"
#include "ui/win32/ScreenPlacement.h"
#include "ui/win32/Tooltips.h"
#include "ui/win32/WindowInstance.h"
#include "ui/win32/WindowText.h"

namespace hf {

namespace {

constexpr const char* SheetClass = "TTabSheet";
constexpr const char* RadioGroupClass = "TRadioGroup";
// "MS Sans Serif" at 8 points, the design font of every window.
constexpr int DesignFontPoints = 8;

DpiScale SystemScale() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return DpiScale(dpi);
}

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

}  // namespace

Win32View::Win32View(HINSTANCE instance, HostServices& host, const std::string& applicationTitle)
    : instance_(instance), host_(host), scale_(SystemScale()) {
    font_ = CreateFontA(-MulDiv(DesignFontPoints, scale_.Dpi(), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                        FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
    speedButtons_ = std::make_unique<SpeedButtonPainter>(instance_, font_, scale_);
    RegisterClasses();
    application_ = std::make_unique<ApplicationWindow>(instance_, applicationTitle,
                                                       static_cast<ApplicationForms&>(*this));
}

Win32View::~Win32View() {
    DetachAll();
    application_.reset();
    for (const auto& [color, brush] : brushes_) DeleteObject(brush);
    speedButtons_.reset();
    if (font_ != nullptr) DeleteObject(font_);
}

void Win32View::RegisterClasses() {
    for (const char* name : {"TFormMain", "TfrmToolbar", SheetClass, RadioGroupClass}) {
        RegisterWindowClass(instance_, name, WindowProc);
    }
}

int Win32View::MeasureText(std::string_view text) const {
    HDC dc = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, font_);
    SIZE size{};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    // The model keeps design pixels: the design length that shows the whole text.
    return scale_.ToDesign(size.cx);
}

void Win32View::Name(HWND window, const std::string& name) {
    const ATOM atom = GlobalAddAtomA(name.c_str());
    if (atom == 0) return;
    if (!SetPropA(window, ControlNameProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(atom)))) {
        GlobalDeleteAtom(atom);
    }
}

namespace {

// Takes the name off the window and off every window below it.
void Unname(HWND window) {
    const auto atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(RemovePropA(window, ControlNameProperty)));
    if (atom != 0) GlobalDeleteAtom(atom);
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        Unname(child);
    }
}

}  // namespace

void Win32View::DestroyNamed(HWND window) {
    // A window must not take its properties with it, and the global atoms of the names
    // would outlive the program: both go first.
    Unname(window);
    DestroyWindow(window);
}

HWND Win32View::NewChild(const char* className, DWORD style, DWORD exStyle, HWND parent,
                         const std::string& name) {
    // The view's own classes (sheets, radio groups) find the view from their creation data;
    // the system's controls ignore it.
    HWND window = CreateWindowExA(exStyle, className, "", style, 0, 0, 0, 0, parent,
                                  reinterpret_cast<HMENU>(nextId_++), instance_, this);
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
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
                                    form.Top(), 100, 100, application_->Window(), nullptr, instance_,
                                    this);
    Name(entry->window, form.Name());
    entry->tooltip = CreateTooltip(instance_, entry->window);
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

// --- messages -----------------------------------------------------------------------------

LRESULT CALLBACK Win32View::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = InstanceOf<Win32View>(window, message, lParam);
    if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    return self->Handle(window, message, wParam, lParam);
}

LRESULT Win32View::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    FormWindow* form = FindForm(window);
    switch (message) {
        case WM_COMMAND:
            if (lParam != 0) OnCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
            return 0;
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_DRAWITEM:
            if (OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
            break;
        case WM_CTLCOLORSTATIC:
            if (const auto brush = OnLabelColor(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam))) {
                return *brush;
            }
            break;
        case WM_SETCURSOR:
            if (OnSetCursor(window, reinterpret_cast<HWND>(wParam), LOWORD(lParam))) return TRUE;
            break;
        case WM_GETMINMAXINFO:
            if (form != nullptr) {
                // The toolbar window is narrower than the system's smallest captioned window.
                reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {1, 1};
                return 0;
            }
            break;
        case WM_MOVE:
            if (form != nullptr) OnMove(*form);
            return 0;
        case WM_ACTIVATE:
            if (form != nullptr) {
                OnActivate(*form, LOWORD(wParam), HIWORD(wParam) != 0);
                return 0;
            }
            break;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_MINIMIZE && form != nullptr && OnMinimize(*form)) return 0;
            break;
        case WM_CLOSE:
            if (form != nullptr) OnClose(*form);
            return 0;
        case WM_DESTROY:
            if (form != nullptr && IsMainForm(*form->form)) PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void Win32View::OnCommand(HWND source, WORD code) {
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
            if (code == BN_CLICKED) Guarded([control] { static_cast<TSpeedButton*>(control)->Click(); });
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

LRESULT Win32View::OnNotify(const NMHDR& header) {
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

bool Win32View::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_BUTTON) return false;
    const auto found = byWindow_.find(item.hwndItem);
    if (found == byWindow_.end() || found->second->Kind() != ControlKind::SpeedButton) return false;
    speedButtons_->Draw(item, static_cast<const TSpeedButton&>(*found->second));
    return true;
}

std::optional<LRESULT> Win32View::OnLabelColor(HWND label, HDC dc) {
    const auto found = byWindow_.find(label);
    if (found == byWindow_.end() || found->second->Kind() != ControlKind::Label) return std::nullopt;
    const auto& model = static_cast<const TLabel&>(*found->second);
    SetBkColor(dc, ColorOf(model.Color()));
    SetTextColor(dc, ColorOf(model.FontColor()));
    return reinterpret_cast<LRESULT>(Brush(model.Color()));
}

bool Win32View::OnSetCursor(HWND window, HWND under, WORD hitTest) {
    // A sheet's cursor shows over the sheet itself and over its labels (windowless in the
    // toolkit the program was designed with); other controls keep their own, the text
    // cursor of an edit among them.
    const auto found = byWindow_.find(window);
    const auto below = byWindow_.find(under);
    const bool own = under == window || (below != byWindow_.end() && below->second->Kind() == ControlKind::Label);
    if (found == byWindow_.end() || found->second->Cursor() == TCursor::Default || !own || hitTest != HTCLIENT) {
        return false;
    }
    SetCursor(LoadCursor(nullptr, found->second->Cursor() == TCursor::Cross ? IDC_CROSS : IDC_HAND));
    return true;
}

void Win32View::OnMove(FormWindow& form) {
    // Only the user's moves reach the model, which is saved: where the view put the window
    // to show it whole stays the view's. The model keeps the normal position: a minimised
    // window's stand-in place off the screen is never saved.
    if (placing_ != 0) return;
    const RECT place = NormalRect(form.window);
    if (form.shownAt && form.shownAt->x == place.left && form.shownAt->y == place.top) return;
    form.form->MovedTo(place.left, place.top);
    form.placedFrom = POINT{place.left, place.top};
    form.shownAt = form.placedFrom;
}

void Win32View::OnActivate(FormWindow& form, WORD state, bool minimized) {
    if (state == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(form.window, focus)) form.lastFocus = focus;
    } else if (!minimized) {
        lastActive_ = form.window;
        RestoreFocus(form);
    }
}

bool Win32View::OnMinimize(FormWindow& form) {
    // The minimise box minimises the application, which hides every form.
    if (!IsMainForm(*form.form)) return false;
    application_->Minimize();
    return true;
}

void Win32View::OnClose(FormWindow& form) {
    TForm* model = form.form;
    Guarded([model] { model->Close(); });
    if (model->Closed()) DestroyNamed(form.window);
}

HWND Win32View::FormInFront() {
    HWND target = nullptr;
    for (const auto& entry : forms_) {
        if (!entry->shown) continue;
        if (target == nullptr || entry->window == lastActive_) target = entry->window;
    }
    return target;
}

void Win32View::ShowForms(bool shown) {
    for (const auto& entry : forms_) {
        if (!shown) {
            ShowWindow(entry->window, SW_HIDE);
        } else if (entry->shown) {
            ShowWindow(entry->window, SW_SHOWNA);
        }
    }
}

void Win32View::CloseProgram() {
    if (FormWindow* main = MainForm()) PostMessageA(main->window, WM_CLOSE, 0, 0);
}

int Win32View::Run() {
    application_->Show();
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
            DestroyNamed(entry->window);
        }
    }
    forms_.clear();
    controls_.clear();
    byWindow_.clear();
    radioItems_.clear();
}

}  // namespace hf
