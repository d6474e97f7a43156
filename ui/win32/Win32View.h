// The Win32 view: real windows and common controls for the control model. It follows every
// change of the model and feeds the user's clicks, edits, keys and picks back into it; an
// error that a handler lets out goes to the default error report.
//
// The design is in pixels of a 96-DPI screen; at another system DPI the view scales every
// window, control rectangle and font by DPI / 96 (ui/DpiScale.h), while the model keeps
// the design's numbers.
//
// Its parts, each in a file of its own:
//   Win32View.cpp          creating the windows, dispatching their messages, the message loop
//   ViewSync.cpp           bringing windows in line with the model
//   ViewKeyboard.cpp       the dialog keys: Tab order, radio arrows, tab accelerators
//   ScreenPlacement.*      where a form's window stands on the screen
//   SpeedButtons.*         the toolbar's drawn buttons and their caption fonts
//   Tooltips.*             the hints
//   ApplicationWindow.*    the window the taskbar shows, above the forms
//
// Each window carries the model name of its control (ControlNames.h), so that a test
// program in another process can find a control by name; the view takes the names off
// before it destroys the windows.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/HostServices.h"
#include "ui/Controls.h"
#include "ui/DpiScale.h"
#include "ui/View.h"
#include "ui/win32/ApplicationWindow.h"
#include "ui/win32/ControlNames.h"
#include "ui/win32/SpeedButtons.h"

namespace hf {

class Win32View final : public View, public ControlObserver, private ApplicationForms {
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
        // The model's place the window was last put at: a new one (the settings' or the
        // default) is put whole on the screen; the same one leaves the window where it is.
        std::optional<POINT> placedFrom;
        // Where the view last put the window: the system telling of that place again is no
        // move of the user's.
        std::optional<POINT> shownAt;
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

    // --- creating (Win32View.cpp) ---------------------------------------------------------
    void RegisterClasses();
    void CreateControl(FormWindow& form, TControl& control);
    HWND NewChild(const char* className, DWORD style, DWORD exStyle, HWND parent,
                  const std::string& name);
    void Name(HWND window, const std::string& name);
    // Destroys the window after taking the names off it and off every window below it.
    void DestroyNamed(HWND window);
    HWND ParentWindow(const FormWindow& form, const TControl& control) const;
    HWND WindowOf(const TControl* control) const;
    FormWindow* FindForm(HWND window);
    FormWindow* MainForm();
    void Guarded(const std::function<void()>& action);
    int MeasureText(std::string_view text) const;
    HBRUSH Brush(TColor color);

    // --- messages (Win32View.cpp) ---------------------------------------------------------
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(HWND source, WORD code);
    LRESULT OnNotify(const NMHDR& header);
    bool OnDrawItem(const DRAWITEMSTRUCT& item);
    std::optional<LRESULT> OnLabelColor(HWND label, HDC dc);
    bool OnSetCursor(HWND window, HWND under, WORD hitTest);
    void OnMove(FormWindow& form);
    void OnActivate(FormWindow& form, WORD state, bool minimized);
    bool OnMinimize(FormWindow& form);
    void OnClose(FormWindow& form);

    // ApplicationForms
    HWND FormInFront() override;
    void ShowForms(bool shown) override;
    void CloseProgram() override;

    // --- following the model (ViewSync.cpp) -----------------------------------------------
    void Sync(ControlWindow& entry);
    void SyncForm(FormWindow& form);
    void SyncRadioItems(ControlWindow& entry);
    void SyncComboItems(ControlWindow& entry);
    void SyncTooltip(ControlWindow& entry);
    void SyncPages(const TPageControl& pages);
    void LayoutSheets(const TPageControl& pages);
    void SetText(HWND window, const std::string& text);

    // --- keyboard (ViewKeyboard.cpp) ------------------------------------------------------
    bool PreTranslate(const MSG& message);
    bool SelectPageByAccelerator(FormWindow& form, char key);
    std::vector<HWND> TabOrder(const FormWindow& form) const;
    void MoveFocus(FormWindow& form, bool backwards);
    bool StepRadioItem(HWND focus, bool backwards);
    void RestoreFocus(FormWindow& form);

    HINSTANCE instance_;
    HostServices& host_;
    DpiScale scale_;
    HFONT font_ = nullptr;
    std::unique_ptr<SpeedButtonPainter> speedButtons_;
    std::unique_ptr<ApplicationWindow> application_;
    HWND lastActive_ = nullptr;
    std::vector<std::unique_ptr<FormWindow>> forms_;
    std::map<const TControl*, ControlWindow> controls_;
    std::map<HWND, TControl*> byWindow_;
    std::map<HWND, std::pair<TRadioGroup*, int>> radioItems_;
    std::map<TColor, HBRUSH> brushes_;
    UINT_PTR nextId_ = 100;
    int syncing_ = 0;
    int placing_ = 0;  // the view itself is moving a form's window
};

}  // namespace hf
