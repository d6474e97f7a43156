#include "ui/Controls.h"

#include <algorithm>

#include "ui/Form.h"

namespace hf {

// --- Operation, TNotifyEvent ------------------------------------------------------------

namespace {
std::function<void()>& OnBeginHook() {
    static std::function<void()> hook;
    return hook;
}
}  // namespace

void Operation::SetOnBegin(std::function<void()> hook) { OnBeginHook() = std::move(hook); }

Operation::Hold::Hold(bool isNew) {
    if (depth_ == 0 && isNew && OnBeginHook()) OnBeginHook()();
    ++depth_;
}

void TNotifyEvent::operator()(TObject* sender) const {
    if (!Handler) return;
    const Operation::Hold operation(true);
    Handler(sender);
}

// --- TControl ---------------------------------------------------------------------------

TControl::TControl(TForm& form, TControl* parent, ControlKind kind, std::string name)
    : form_(form), parent_(parent), kind_(kind), name_(std::move(name)) {
    form_.Register(this);
}

void TControl::Changed() { form_.NotifyChanged(*this); }

void TControl::SetBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Changed();
}

void TControl::SetLeft(int left) { SetBounds(left, top_, width_, height_); }
void TControl::SetWidth(int width) { SetBounds(left_, top_, width, height_); }

void TControl::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Changed();
}

void TControl::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    Changed();
}

bool TControl::EffectivelyEnabled() const {
    for (const TControl* c = this; c != nullptr; c = c->parent_) {
        if (!c->enabled_) return false;
    }
    return true;
}

void TControl::SetHint(std::string_view hint) {
    if (hint == hint_) return;
    hint_ = hint;
    Changed();
}

void TControl::SetShowHint(bool show) {
    if (show == showHint_) return;
    showHint_ = show;
    Changed();
}

void TControl::SetCursor(TCursor cursor) {
    if (cursor == cursor_) return;
    cursor_ = cursor;
    Changed();
}

// --- TAction ----------------------------------------------------------------------------

void TAction::SetCaption(std::string_view caption) {
    caption_ = caption;
    for (TActionClient* client : clients_) client->ActionCaptionChanged(caption_);
}

bool TAction::Execute() {
    if (!OnExecute) return false;
    OnExecute(this);
    return true;
}

void TAction::AddClient(TActionClient* client) {
    if (std::find(clients_.begin(), clients_.end(), client) == clients_.end()) {
        clients_.push_back(client);
    }
}

// --- TLabel -----------------------------------------------------------------------------

void TLabel::SetCaption(std::string_view caption) {
    if (caption == caption_) return;
    caption_ = caption;
    Resize();
    Changed();
}

void TLabel::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    Changed();
}

void TLabel::SetFontColor(TColor color) {
    if (color == fontColor_) return;
    fontColor_ = color;
    Changed();
}

void TLabel::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    Resize();
}

void TLabel::SetWordWrap(bool wrap) {
    if (wrap == wordWrap_) return;
    wordWrap_ = wrap;
    Changed();
}

void TLabel::SetFilled(bool filled) {
    if (filled == filled_) return;
    filled_ = filled;
    Changed();
}

void TLabel::SetAlignment(TAlignment alignment) {
    if (alignment == alignment_) return;
    alignment_ = alignment;
    Changed();
}

void TLabel::Resize() {
    // A word-wrapped label keeps its width and wraps inside it.
    if (!autoSize_ || wordWrap_) return;
    SetWidth(Form().MeasureText(*this, caption_));
}

// --- TActionButton ----------------------------------------------------------------------

void TActionButton::SetCaption(std::string_view caption) {
    if (caption == caption_) return;
    caption_ = caption;
    Changed();
}

void TActionButton::SetAction(TAction* action) {
    action_ = action;
    if (action_ != nullptr) {
        action_->AddClient(this);
        SetCaption(action_->Caption());
    }
}

void TActionButton::RunClickHandler() {
    if (OnClick) {
        OnClick(this);
    } else if (action_ != nullptr) {
        action_->Execute();
    }
}

// --- TSpeedButton -----------------------------------------------------------------------

void TSpeedButton::SetDown(bool down) {
    if (down == down_) return;
    down_ = down;
    Changed();
}

void TSpeedButton::Click() {
    if (GroupIndex() != 0) {
        // Alone in its group: a down button comes up again only when the group allows it.
        if (!down_) {
            SetDown(true);
        } else if (allowAllUp_) {
            SetDown(false);
        }
    }
    RunClickHandler();
}

// --- TCheckBox --------------------------------------------------------------------------

void TCheckBox::SetCaption(std::string_view caption) {
    if (caption == caption_) return;
    caption_ = caption;
    Changed();
}

void TCheckBox::SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    Changed();
    OnClick(this);
}

// --- TRadioGroup ------------------------------------------------------------------------

void TRadioGroup::SetColumns(int columns) {
    if (columns == columns_ || columns < 1) return;
    columns_ = columns;
    Changed();
}

void TRadioGroup::SetCaption(std::string_view caption) {
    if (caption == caption_) return;
    caption_ = caption;
    Changed();
}

void TRadioGroup::ClearItems() {
    items_.clear();
    itemIndex_ = -1;
    Changed();
}

void TRadioGroup::AddItem(std::string_view text, std::uint32_t object) {
    items_.push_back({std::string(text), object});
    Changed();
}

void TRadioGroup::SetItemIndex(int index) {
    const int last = static_cast<int>(items_.size()) - 1;
    index = std::clamp(index, -1, std::max(last, -1));
    if (index == itemIndex_) return;
    itemIndex_ = index;
    Changed();
    OnClick(this);
}

std::string TRadioGroup::SelectedText() const {
    return itemIndex_ >= 0 ? items_[static_cast<std::size_t>(itemIndex_)].Text : std::string();
}

std::uint32_t TRadioGroup::SelectedObject() const {
    return itemIndex_ >= 0 ? items_[static_cast<std::size_t>(itemIndex_)].Object : 0;
}

// --- TEdit ------------------------------------------------------------------------------

void TEdit::SetText(std::string text) {
    if (text == text_) return;
    text_ = std::move(text);
    Changed();
    OnChange(this);
}

// --- TUpDown ----------------------------------------------------------------------------

void TUpDown::SetRange(int min, int max) {
    min_ = min;
    max_ = max;
    position_ = Clamp(position_);
    Changed();
}

int TUpDown::Clamp(int value) const {
    return std::clamp(value, std::min(min_, max_), std::max(min_, max_));
}

void TUpDown::SetPosition(int position) {
    position = Clamp(position);
    if (position != position_) {
        position_ = position;
        Changed();
    }
    if (associate_ != nullptr) associate_->SetText(std::to_string(position_));
}

void TUpDown::SetAssociate(TEdit* edit) { associate_ = edit; }

void TUpDown::ClickArrow(bool up) {
    const int towardMax = max_ >= min_ ? increment_ : -increment_;
    SetPosition(position_ + (up ? towardMax : -towardMax));
}

// --- TComboBox --------------------------------------------------------------------------

void TComboBox::ClearItems() {
    items_.clear();
    itemIndex_ = -1;
    Changed();
}

void TComboBox::AddItem(std::string_view text) {
    items_.push_back(std::string(text));
    Changed();
}

void TComboBox::SetItemIndex(int index) {
    const int last = static_cast<int>(items_.size()) - 1;
    index = std::clamp(index, -1, std::max(last, -1));
    if (index == itemIndex_) return;
    itemIndex_ = index;
    Changed();
}

std::string TComboBox::Text() const {
    return itemIndex_ >= 0 ? items_[static_cast<std::size_t>(itemIndex_)] : std::string();
}

void TComboBox::UserSelect(int index) {
    SetItemIndex(index);
    OnChange(this);
}

// --- TPageControl and TTabSheet ---------------------------------------------------------

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page == activePage_) return;
    activePage_ = page;
    Changed();
}

TTabSheet::TTabSheet(TForm& form, TPageControl& pageControl, std::string name)
    : TControl(form, &pageControl, ControlKind::TabSheet, std::move(name)),
      pageControl_(pageControl) {
    pageControl_.pages_.push_back(this);
}

void TTabSheet::SetCaption(std::string_view caption) {
    if (caption == caption_) return;
    caption_ = caption;
    Changed();
}

int TTabSheet::PageIndex() const {
    const auto& pages = pageControl_.Pages();
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

// --- TTimer -----------------------------------------------------------------------------

TTimer::TTimer(TimerDriver& driver, std::string name, std::uint32_t interval, bool enabled)
    : driver_(driver), name_(std::move(name)), interval_(interval), enabled_(enabled) {}

TTimer::~TTimer() { driver_.Stop(*this); }

void TTimer::Update() {
    driver_.Stop(*this);
    if (Running()) driver_.Start(*this);
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Update();
}

void TTimer::SetInterval(std::uint32_t interval) {
    if (interval == interval_) return;
    interval_ = interval;
    Update();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
    onTimer_ = std::move(handler);
    Update();
}

void TTimer::Fire() {
    if (enabled_ && onTimer_) onTimer_(this);
}

}  // namespace hf
