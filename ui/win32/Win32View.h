// The Win32 view: real windows and common controls for the control model. It follows every
// change of the model and feeds the user's clicks, edits, keys and picks back into it; an
// error that a handler lets out goes to the default error report.
//
// The program's windows hang below one application window: a window without size that
// carries the application title and so is what the taskbar and Alt+Tab show, whichever of
// the main window and the toolbar window is on the screen. It hands the activation on to
// the form in front, and minimising it hides the forms with it.
//
// Each window carries the model name of its control in the property "HfName" (a global
// atom), so that a test program in another process can find a control by name.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/HostServices.h"
#include "ui/Controls.h"
#include "ui/View.h"

namespace hf {

inline constexpr const char* ControlNameProperty = "HfName";

class Win32View final : public View, public ControlObserver {
public:
    Win32View(HINSTANCE instance, HostServices& host, const std::string& applicationTitle);
    ~Win32View() override;
    Win32View(const Win32View&) = delete;
    Win32View& operator=(const Win32View&) = delete;

    void Attach(TForm& form) override;
    void ControlChanged(TControl& control) override;
    void FormChanged(TForm& form) override;

    // The message loop, until the main window is gone; gives the process's exit code.
    int Run();
    // Lets go of the model (before it is destroyed) and of every window still there.
    void DetachAll();

private:
    struct FormWindow {
        TForm* form = nullptr;
        HWND window = nullptr;
        HWND tooltip = nullptr;
        bool shown = false;        // what the model last asked for
        bool hinted = false;       // the form's own hint is one of its tooltip's tools
        HWND lastFocus = nullptr;  // given the focus back when the window is activated
    };
    struct ControlWindow {
        TControl* control = nullptr;
        HWND window = nullptr;
        FormWindow* form = nullptr;
        HWND frame = nullptr;                 // a radio group's frame with its caption
        std::vector<HWND> items;              // a radio group's buttons
        std::vector<std::string> shownItems;  // a radio group's or combo box's texts
        std::vector<HWND> hinted;             // windows that show the control's hint
        std::string hintShown;
        bool buddied = false;                 // an up-down is attached to its edit
    };

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleApplication(UINT message, WPARAM wParam, LPARAM lParam);

    void RegisterClasses();
    void CreateApplicationWindow(const std::string& title);
    void CreateControl(FormWindow& form, TControl& control);
    HWND NewChild(const char* className, DWORD style, DWORD exStyle, HWND parent,
                  const std::string& name);
    void Name(HWND window, const std::string& name);
    HWND ParentWindow(const FormWindow& form, const TControl& control) const;
    HWND WindowOf(const TControl* control) const;
    void Sync(ControlWindow& entry);
    void SyncForm(FormWindow& form);
    void SyncRadioItems(ControlWindow& entry);
    void SyncComboItems(ControlWindow& entry);
    void SyncTooltip(ControlWindow& entry);
    void SyncFormHint(FormWindow& form);
    void SyncPages(const TPageControl& pages);
    void LayoutSheets(const TPageControl& pages);
    void SetText(HWND window, const std::string& text);
    void Command(HWND source, WORD code);
    LRESULT Notify(const NMHDR& header);
    bool DrawSpeedButton(const DRAWITEMSTRUCT& item);
    void ChooseButtonFont(HWND window, const TSpeedButton& button);
    HBRUSH Brush(TColor color);
    FormWindow* FindForm(HWND window);
    FormWindow* MainForm();
    void Guarded(const std::function<void()>& action);
    int MeasureText(std::string_view text) const;

    // Keyboard: tab accelerators, Tab and Shift+Tab, arrow keys among radio items.
    bool PreTranslate(const MSG& message);
    bool SelectPageByAccelerator(FormWindow& form, char key);
    std::vector<HWND> TabOrder(const FormWindow& form) const;
    void MoveFocus(FormWindow& form, bool backwards);
    bool StepRadioItem(HWND focus, bool backwards);
    void RestoreFocus(FormWindow& form);

    HINSTANCE instance_;
    HostServices& host_;
    HFONT font_ = nullptr;
    std::vector<HFONT> smallFonts_;  // for speed buttons whose caption needs less room
    HBITMAP glyph_ = nullptr;        // the toolbar's return button
    HWND application_ = nullptr;
    HWND lastActive_ = nullptr;
    std::vector<std::unique_ptr<FormWindow>> forms_;
    std::map<const TControl*, ControlWindow> controls_;
    std::map<HWND, TControl*> byWindow_;
    std::map<HWND, std::pair<TRadioGroup*, int>> radioItems_;
    std::map<TColor, HBRUSH> brushes_;
    std::vector<ATOM> atoms_;
    UINT_PTR nextId_ = 100;
    int syncing_ = 0;
};

}  // namespace hf
