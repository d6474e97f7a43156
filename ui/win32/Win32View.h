// The Win32 view: real windows and common controls for the control model. It follows every
// change of the model and feeds the user's clicks, edits and picks back into it; an error
// that a handler lets out goes to the default error report.
//
// Each window carries the model name of its control in the property "HfName" (a global
// atom), so that a test program in another process can find a control by name.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "host/HostServices.h"
#include "ui/Controls.h"
#include "ui/View.h"

namespace hf {

inline constexpr const char* ControlNameProperty = "HfName";

class Win32View final : public View, public ControlObserver {
public:
    Win32View(HINSTANCE instance, HostServices& host);
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
    };
    struct ControlWindow {
        TControl* control = nullptr;
        HWND window = nullptr;
        FormWindow* form = nullptr;
        std::vector<HWND> items;              // a radio group's buttons
        std::vector<std::string> shownItems;  // a radio group's or combo box's texts
        bool tooltip = false;
    };

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    void RegisterClasses();
    void CreateControl(FormWindow& form, TControl& control);
    HWND NewChild(const char* className, DWORD style, DWORD exStyle, HWND parent,
                  const std::string& name);
    void Name(HWND window, const std::string& name);
    HWND ParentWindow(const FormWindow& form, const TControl& control) const;
    void Sync(ControlWindow& entry);
    void SyncForm(FormWindow& form);
    void SyncRadioItems(ControlWindow& entry);
    void SyncComboItems(ControlWindow& entry);
    void SyncTooltip(ControlWindow& entry, HWND tool);
    void LayoutSheets(const TPageControl& pages);
    void SetText(HWND window, const std::string& text);
    void Command(HWND source, WORD code);
    LRESULT Notify(const NMHDR& header);
    HBRUSH Brush(TColor color);
    FormWindow* FindForm(HWND window);
    void Guarded(const std::function<void()>& action);
    int MeasureText(std::string_view text) const;

    HINSTANCE instance_;
    HostServices& host_;
    HFONT font_ = nullptr;
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
