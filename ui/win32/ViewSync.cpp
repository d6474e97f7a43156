// Bringing the windows in line with the model: texts, states, places, items and hints.
#include "ui/win32/Win32View.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/Form.h"
#include "ui/win32/FormFrame.h"
#include "ui/win32/ScreenPlacement.h"
#include "ui/win32/Tooltips.h"
#include "ui/win32/WindowText.h"

namespace hf {

namespace {

// A radio group's items, in design pixels.
constexpr int RadioItemHeight = 16;
constexpr int RadioCaptionHeight = 14;

}  // namespace

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
    const int width = scale_.Span(control.Left(), control.Width());
    int height = scale_.Span(control.Top(), control.Height());
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
                speedButtons_->FitCaption(window, button, width, height);
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
            SetWindowPos(entry.frame, HWND_BOTTOM, 0, 0, width, height, SWP_NOACTIVATE);
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
        SetWindowPos(window, nullptr, scale_(control.Left()), scale_(control.Top()), width, height,
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
            DestroyNamed(item);
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
    // room below the caption (in design pixels, scaled at the end).
    const int count = static_cast<int>(entry.items.size());
    const int columns = std::max(1, group.Columns());
    const int rows = std::max(1, (count + columns - 1) / columns);
    const int columnWidth = (group.Width() - 16) / columns;
    const int rowHeight = (group.Height() - RadioCaptionHeight - 4) / rows;
    for (int i = 0; i < count; ++i) {
        HWND item = entry.items[static_cast<std::size_t>(i)];
        const int column = i / rows;
        const int row = i % rows;
        const int left = 8 + column * columnWidth;
        const int top = RadioCaptionHeight + row * rowHeight + (rowHeight - RadioItemHeight) / 2;
        SetWindowPos(item, nullptr, scale_(left), scale_(top), scale_.Span(left, columnWidth - 4),
                     scale_.Span(top, RadioItemHeight), SWP_NOZORDER | SWP_NOACTIVATE);
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

void Win32View::SyncTooltip(ControlWindow& entry) {
    const TControl& control = *entry.control;
    const std::string& text = control.Hint();
    std::vector<HWND> targets;
    if (control.ShowHint() && !text.empty()) {
        // A radio group shows its hint over its items as well as over its frame.
        targets.push_back(entry.window);
        targets.insert(targets.end(), entry.items.begin(), entry.items.end());
    }
    if (targets == entry.hinted && entry.hintShown == text) return;
    ShowHintOver(entry.form->tooltip, targets, text, entry.hinted);
    entry.hintShown = text;
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

void Win32View::FormChanged(TForm& form) {
    for (auto& entry : forms_) {
        if (entry->form == &form) SyncForm(*entry);
    }
}

void Win32View::SyncForm(FormWindow& entry) {
    TForm& form = *entry.form;
    SetText(entry.window, form.Caption());
    // The frame around the client area is the system's. A design height that gives the
    // outer height (the toolbar's) holds the design's client height inside a frame of the
    // design's size: the present frame scaled back.
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, FormStyle(form), FALSE, FormExStyle(form));
    const int frameWidth = frame.right - frame.left;
    const int frameHeight = frame.bottom - frame.top;
    const int clientHeight = form.Height() > 0 ? form.Height() - scale_.ToDesign(frameHeight) : form.ClientHeight();
    const int width = scale_(form.ClientWidth()) + frameWidth;
    const int height = scale_(clientHeight) + frameHeight;
    // A place the model gives anew (the settings', the default) is shown whole on the
    // screen; the model keeps it, and so the settings keep what the pilot left.
    RECT place{};
    if (!entry.placedFrom || entry.placedFrom->x != form.Left() || entry.placedFrom->y != form.Top()) {
        place = ShownPlace(RECT{form.Left(), form.Top(), form.Left() + width, form.Top() + height});
        entry.placedFrom = POINT{form.Left(), form.Top()};
    } else {
        place = NormalRect(entry.window);
        place.right = place.left + width;
        place.bottom = place.top + height;
    }
    ++placing_;
    PlaceWindow(entry.window, place);
    --placing_;
    entry.shownAt = POINT{place.left, place.top};
    for (TControl* control : form.Controls()) {
        if (control->Kind() == ControlKind::PageControl) {
            LayoutSheets(static_cast<const TPageControl&>(*control));
        }
    }
    entry.hinted = ShowFormHint(entry.tooltip, entry.window, form.ShowHint() ? form.Hint() : std::string(),
                                entry.hinted);
    if (form.Visible() != entry.shown) {
        entry.shown = form.Visible();
        // While the application is minimised a form shows again with it.
        if (!entry.shown) {
            ShowWindow(entry.window, SW_HIDE);
        } else if (!application_->Minimized()) {
            ShowWindow(entry.window, SW_SHOW);
        }
    }
}

}  // namespace hf
