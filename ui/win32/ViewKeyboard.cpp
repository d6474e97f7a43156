// The dialog keys a toolkit form has and plain windows lack: tab accelerators, Tab and
// Shift+Tab through the controls in their order of creation, the arrow keys among a radio
// group's items, Enter on a push button, the focus given back when a form is activated.
//
// The system's dialog navigation (IsDialogMessage on a control-parent window) would give
// other keys: it reaches the controls on the tab control's sheets only when the tab control
// is a control parent, which takes the tab control itself out of the Tab order; it stops on
// every item of a radio group; it moves the focus on Ctrl+Tab too; it answers Enter with the
// window's default command (IDOK), not a press of the focused button; and its arrow keys
// move the focus among the items without choosing one. So the keys are handled here.
#include "ui/win32/Win32View.h"

#include <cctype>

#include "ui/Form.h"

namespace hf {

namespace {

// The letter after a single "&" of a caption, upper case; 0 when there is none.
char AcceleratorOf(const std::string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] != '&') return static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i + 1])));
        ++i;
    }
    return 0;
}

// Enabled, and every window between it and its top-level window enabled too.
bool EnabledUpTo(HWND window, HWND root) {
    for (HWND w = window; w != nullptr; w = GetParent(w)) {
        if (!IsWindowEnabled(w)) return false;
        if (w == root) break;
    }
    return true;
}

bool IsClass(HWND window, const char* wanted) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    return lstrcmpiA(name, wanted) == 0;
}

bool IsEdit(HWND window) { return IsClass(window, "EDIT"); }

bool IsPushButton(HWND window) {
    if (window == nullptr || !IsClass(window, "BUTTON")) return false;
    const LONG type = GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

}  // namespace

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
        case VK_RETURN: {
            // Enter presses the push button that has the focus, as Space does.
            const HWND focus = GetFocus();
            if (!IsPushButton(focus) || !IsWindowEnabled(focus)) return false;
            SendMessageA(focus, BM_CLICK, 0, 0);
            return true;
        }
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

}  // namespace hf
