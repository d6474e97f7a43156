// The application window: a window without size that carries the application title and so
// is what the taskbar and Alt+Tab show, whichever of the program's forms is on the screen.
// The forms hang below it. It hands the activation on to the form in front, minimising it
// hides the forms with it, and closing it closes the program.
#pragma once

#include <windows.h>

#include <string>

namespace hf {

// What the application window asks of the forms below it.
class ApplicationForms {
public:
    virtual ~ApplicationForms() = default;
    // The form to activate: the one last active among those the program shows, if any.
    virtual HWND FormInFront() = 0;
    // Minimised (false) or restored (true): the forms go out of sight or come back.
    virtual void ShowForms(bool shown) = 0;
    // Closed from the taskbar: the main window closes, which ends the program.
    virtual void CloseProgram() = 0;
};

class ApplicationWindow {
public:
    ApplicationWindow(HINSTANCE instance, const std::string& title, ApplicationForms& forms);
    ~ApplicationWindow();
    ApplicationWindow(const ApplicationWindow&) = delete;
    ApplicationWindow& operator=(const ApplicationWindow&) = delete;

    HWND Window() const { return window_; }
    bool Minimized() const { return IsIconic(window_) != FALSE; }
    void Show() const { ShowWindow(window_, SW_SHOWNA); }
    void Minimize() const { ShowWindow(window_, SW_MINIMIZE); }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void OnSize(WPARAM kind);
    void ForwardActivation();

    ApplicationForms& forms_;
    HWND window_ = nullptr;
};

}  // namespace hf
