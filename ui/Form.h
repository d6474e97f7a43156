// A top-level window of the control model: caption, place, visibility and its controls.
#pragma once

#include <string>
#include <vector>

#include "ui/Controls.h"

namespace hf {

class TForm : public TObject {
public:
    TForm(std::string name, TForm* owner);
    TForm(const TForm&) = delete;
    TForm& operator=(const TForm&) = delete;

    const std::string& Name() const { return name_; }
    TForm* Owner() const { return owner_; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string_view caption);
    int Left() const { return left_; }
    int Top() const { return top_; }
    void SetLeft(int left);
    void SetTop(int top);
    int ClientWidth() const { return clientWidth_; }
    int ClientHeight() const { return clientHeight_; }
    void SetClientSize(int width, int height);
    void SetClientWidth(int width) { SetClientSize(width, clientHeight_); }
    // Outer height, frame included (the toolbar window's design gives it so).
    int Height() const { return height_; }
    void SetHeight(int height);
    const std::string& Hint() const { return hint_; }
    void SetHint(std::string_view hint);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool show);

    bool Visible() const { return visible_; }
    void Show();
    void Hide();
    // The user closes the window. A secondary window only hides; the main window ends the
    // program once closed.
    virtual void Close() { Hide(); }
    virtual bool Closed() const { return false; }

    // Controls in creation order; a control's parent always comes before it.
    const std::vector<TControl*>& Controls() const { return controls_; }
    TControl* FindControl(const std::string& name) const;

    // --- the view's side ------------------------------------------------------------------
    void SetObserver(ControlObserver* observer) { observer_ = observer; }
    void SetTextMeasure(TextMeasure measure) { measure_ = std::move(measure); }
    int MeasureText(const TControl& control, std::string_view text) const;
    // The user moved the window: the model follows without telling the view again.
    void MovedTo(int left, int top);

    // --- the controls' side ---------------------------------------------------------------
    void Register(TControl* control) { controls_.push_back(control); }
    void NotifyChanged(TControl& control);

protected:
    void NotifyFormChanged();

private:
    std::string name_;
    TForm* owner_;
    std::string caption_;
    int left_ = 0, top_ = 0;
    int clientWidth_ = 0, clientHeight_ = 0, height_ = 0;
    std::string hint_;
    bool showHint_ = false;
    bool visible_ = false;
    std::vector<TControl*> controls_;
    ControlObserver* observer_ = nullptr;
    TextMeasure measure_;
};

}  // namespace hf
