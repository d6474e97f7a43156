#include "ui/Form.h"

namespace hf {

TForm::TForm(std::string name, TForm* owner) : name_(std::move(name)), owner_(owner) {}

void TForm::SetCaption(std::string_view caption) {
    if (caption == caption_) return;
    caption_ = caption;
    NotifyFormChanged();
}

void TForm::SetLeft(int left) {
    if (left == left_) return;
    left_ = left;
    NotifyFormChanged();
}

void TForm::SetTop(int top) {
    if (top == top_) return;
    top_ = top;
    NotifyFormChanged();
}

void TForm::SetClientSize(int width, int height) {
    if (width == clientWidth_ && height == clientHeight_) return;
    clientWidth_ = width;
    clientHeight_ = height;
    NotifyFormChanged();
}

void TForm::SetHeight(int height) {
    if (height == height_) return;
    height_ = height;
    NotifyFormChanged();
}

void TForm::SetHint(std::string_view hint) {
    if (hint == hint_) return;
    hint_ = hint;
    NotifyFormChanged();
}

void TForm::SetShowHint(bool show) {
    if (show == showHint_) return;
    showHint_ = show;
    NotifyFormChanged();
}

void TForm::Show() {
    if (visible_) return;
    visible_ = true;
    NotifyFormChanged();
}

void TForm::Hide() {
    if (!visible_) return;
    visible_ = false;
    NotifyFormChanged();
}

TControl* TForm::FindControl(const std::string& name) const {
    for (TControl* control : controls_) {
        if (control->Name() == name) return control;
    }
    return nullptr;
}

int TForm::MeasureText(const TControl& control, std::string_view text) const {
    if (measure_) return measure_(control, text);
    // Without a view: the average width of the design font, about 5 pixels a character.
    return static_cast<int>(text.size()) * 5;
}

void TForm::MovedTo(int left, int top) {
    left_ = left;
    top_ = top;
}

void TForm::NotifyChanged(TControl& control) {
    if (observer_ != nullptr) observer_->ControlChanged(control);
}

void TForm::NotifyFormChanged() {
    if (observer_ != nullptr) observer_->FormChanged(*this);
}

}  // namespace hf
