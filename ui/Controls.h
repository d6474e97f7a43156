// A small toolkit-neutral control model: the state of every window control the program
// uses and the toolkit semantics its handlers rely on. A view (Win32 windows, or none in
// tests) renders the model and feeds the user's clicks and edits back into it.
//
// Semantics kept from the toolkit the program was designed with:
// - giving a check box or a radio group a new state runs its click handling, the same
//   state runs nothing;
// - an edit runs its change handler whenever its text changes, by typing or from code;
// - a combo box runs its change handler only when the user picks an entry;
// - an up-down clamps its position and writes it into its associated edit;
// - switching on an enabled timer does not restart it; installing a handler, or a new
//   interval, on a running timer does.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace hf {

class TObject {
public:
    virtual ~TObject() = default;
};

// Every handler runs inside an operation: a timer's tick, the user's click or edit, an
// action, the first start or the close. The outermost handler begins one; the handlers it
// runs from code (an action, a check box set by the program) belong to it.
class Operation {
public:
    // Runs when an operation that counts as new begins, before its first handler. The
    // program's window installs it (the link's fresh attempt); empty uninstalls it.
    static void SetOnBegin(std::function<void()> hook);
    static bool Running() { return depth_ > 0; }

    // Holds an operation for its lifetime. Outermost, a new one calls the hook; one that is
    // not new (the close) does not, nor do the handlers run inside it.
    class Hold {
    public:
        explicit Hold(bool isNew);
        ~Hold() { --depth_; }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;
    };

private:
    static inline int depth_ = 0;
};

// An event handler with the name of the method it stands for, so that tests and the
// handler pairs can tell which one is installed.
struct TNotifyEvent {
    std::string_view Name;
    std::function<void(TObject* Sender)> Handler;

    explicit operator bool() const { return static_cast<bool>(Handler); }
    // Runs the handler inside an operation: a new one when no other runs.
    void operator()(TObject* sender) const;
};

enum class TColor : std::uint8_t { BtnFace, White, Navy, WindowText, Gray, Lime, Aqua, Red };
inline constexpr TColor clBtnFace = TColor::BtnFace;
inline constexpr TColor clWhite = TColor::White;
inline constexpr TColor clNavy = TColor::Navy;
inline constexpr TColor clWindowText = TColor::WindowText;
inline constexpr TColor clGray = TColor::Gray;
inline constexpr TColor clLime = TColor::Lime;
inline constexpr TColor clAqua = TColor::Aqua;
inline constexpr TColor clRed = TColor::Red;

enum class TCursor : std::uint8_t { Default, Cross, HandPoint };

enum class TAlignment : std::uint8_t { LeftJustify, Center };

enum class ControlKind : std::uint8_t {
    Label,
    Button,
    SpeedButton,
    CheckBox,
    RadioGroup,
    Edit,
    UpDown,
    ComboBox,
    PageControl,
    TabSheet,
    FileListBox,
};

class TControl;
class TForm;

// What a view learns from the model. Called after the model's state has changed.
class ControlObserver {
public:
    virtual ~ControlObserver() = default;
    virtual void ControlChanged(TControl& control) = 0;
    virtual void FormChanged(TForm& form) = 0;
};

// How wide a text is drawn in a control, in pixels (labels that size themselves).
using TextMeasure = std::function<int(const TControl& control, std::string_view text)>;

class TControl : public TObject {
public:
    TControl(TForm& form, TControl* parent, ControlKind kind, std::string name);
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    const std::string& Name() const { return name_; }
    ControlKind Kind() const { return kind_; }
    TForm& Form() const { return form_; }
    TControl* Parent() const { return parent_; }

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetBounds(int left, int top, int width, int height);
    void SetLeft(int left);
    void SetWidth(int width);

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // Enabled and every parent enabled: whether the user can reach the control.
    bool EffectivelyEnabled() const;

    const std::string& Hint() const { return hint_; }
    void SetHint(std::string_view hint);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool show);

    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);

    // The view's slot for its window handle or whatever it keeps per control.
    std::uintptr_t ViewData = 0;

protected:
    void Changed();

private:
    TForm& form_;
    TControl* parent_;
    ControlKind kind_;
    std::string name_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool enabled_ = true;
    bool visible_ = true;
    std::string hint_;
    bool showHint_ = false;
    TCursor cursor_ = TCursor::Default;
};

class TAction;

// Controls that an action keeps in line with its caption.
class TActionClient {
public:
    virtual ~TActionClient() = default;
    virtual void ActionCaptionChanged(const std::string& caption) = 0;
};

class TAction : public TObject {
public:
    explicit TAction(std::string name) : name_(std::move(name)) {}
    TAction(const TAction&) = delete;
    TAction& operator=(const TAction&) = delete;

    const std::string& Name() const { return name_; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string_view caption);
    const std::string& Hint() const { return hint_; }
    void SetHint(std::string_view hint) { hint_ = hint; }

    TNotifyEvent OnExecute;
    // Runs the handler with the action as sender; false when there is none.
    bool Execute();

    void AddClient(TActionClient* client);

private:
    std::string name_;
    std::string caption_;
    std::string hint_;
    std::vector<TActionClient*> clients_;
};

class TLabel : public TControl {
public:
    TLabel(TForm& form, TControl* parent, std::string name)
        : TControl(form, parent, ControlKind::Label, std::move(name)) {}

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string_view caption);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor color);
    // A label that sizes itself takes the width of its caption.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wrap);
    // A label drawn as a filled bar, without text (the toolbar's group marks).
    bool Filled() const { return filled_; }
    void SetFilled(bool filled);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);

    TNotifyEvent OnClick;
    void Click() { OnClick(this); }

    // Measures the caption again (the view's font arrived after the design).
    void AdjustSize() { Resize(); }

private:
    void Resize();

    std::string caption_;
    TColor color_ = clBtnFace;
    TColor fontColor_ = clWindowText;
    bool autoSize_ = true;
    bool wordWrap_ = false;
    bool filled_ = false;
    TAlignment alignment_ = TAlignment::LeftJustify;
};

// What push and speed buttons share: a caption, an action that lends it, and a click that
// runs the button's own handler or else its action.
class TActionButton : public TControl, public TActionClient {
public:
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string_view caption);
    TAction* Action() const { return action_; }
    void SetAction(TAction* action);

    TNotifyEvent OnClick;

    void ActionCaptionChanged(const std::string& caption) override { SetCaption(caption); }

protected:
    TActionButton(TForm& form, TControl* parent, ControlKind kind, std::string name)
        : TControl(form, parent, kind, std::move(name)) {}
    void RunClickHandler();

private:
    std::string caption_;
    TAction* action_ = nullptr;
};

class TButton : public TActionButton {
public:
    TButton(TForm& form, TControl* parent, std::string name)
        : TActionButton(form, parent, ControlKind::Button, std::move(name)) {}

    // A click: its own handler, or else its action.
    void Click() { RunClickHandler(); }
};

// A flat button that can stay down: with a group index it toggles on every click.
class TSpeedButton : public TActionButton {
public:
    TSpeedButton(TForm& form, TControl* parent, std::string name)
        : TActionButton(form, parent, ControlKind::SpeedButton, std::move(name)) {}

    bool Down() const { return down_; }
    void SetDown(bool down);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int index) { groupIndex_ = index; }
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool allow) { allowAllUp_ = allow; }
    // The design's image in place of a caption (the toolbar's return button).
    bool HasGlyph() const { return hasGlyph_; }
    void SetHasGlyph(bool glyph) { hasGlyph_ = glyph; }

    // A click: a grouped button flips its state first, then its handler or action runs.
    void Click();

private:
    bool down_ = false;
    int groupIndex_ = 0;
    bool allowAllUp_ = false;
    bool hasGlyph_ = false;
};

class TCheckBox : public TControl {
public:
    TCheckBox(TForm& form, TControl* parent, std::string name)
        : TControl(form, parent, ControlKind::CheckBox, std::move(name)) {}

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string_view caption);
    bool Checked() const { return checked_; }
    // A new state runs the click handling, as a user's click does; the same state runs nothing.
    void SetChecked(bool checked);
    // The user's click.
    void Click() { SetChecked(!checked_); }

    TNotifyEvent OnClick;

private:
    std::string caption_;
    bool checked_ = false;
};

class TRadioGroup : public TControl {
public:
    struct Item {
        std::string Text;
        std::uint32_t Object = 0;  // number attached to the item
    };

    TRadioGroup(TForm& form, TControl* parent, std::string name)
        : TControl(form, parent, ControlKind::RadioGroup, std::move(name)) {}

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string_view caption);
    const std::vector<Item>& Items() const { return items_; }
    // Clearing the items leaves no selection and runs nothing.
    void ClearItems();
    void AddItem(std::string_view text, std::uint32_t object = 0);
    int ItemIndex() const { return itemIndex_; }
    // A new selection runs the click handling; indexes outside the items are pulled in.
    void SetItemIndex(int index);
    // Text and number of the selected item; empty and 0 without a selection.
    std::string SelectedText() const;
    std::uint32_t SelectedObject() const;
    // The items stand in this many columns, each filled from top to bottom.
    int Columns() const { return columns_; }
    void SetColumns(int columns);

    TNotifyEvent OnClick;

private:
    std::string caption_;
    std::vector<Item> items_;
    int itemIndex_ = -1;
    int columns_ = 1;
};

class TEdit : public TControl {
public:
    TEdit(TForm& form, TControl* parent, std::string name)
        : TControl(form, parent, ControlKind::Edit, std::move(name)) {}

    const std::string& Text() const { return text_; }
    // Every change of the text runs the change handler; the same text runs nothing.
    void SetText(std::string text);

    TNotifyEvent OnChange;

private:
    std::string text_;
};

class TUpDown : public TControl {
public:
    TUpDown(TForm& form, TControl* parent, std::string name)
        : TControl(form, parent, ControlKind::UpDown, std::move(name)) {}

    // Min may lie above Max: the up arrow always moves toward Max.
    int Min() const { return min_; }
    int Max() const { return max_; }
    void SetRange(int min, int max);
    int Increment() const { return increment_; }
    void SetIncrement(int step) { increment_ = step; }
    int Position() const { return position_; }
    // Clamps to the range and writes the position into the associated edit.
    void SetPosition(int position);
    TEdit* Associate() const { return associate_; }
    void SetAssociate(TEdit* edit);
    // The user's arrows: one step toward Max (up) or Min (down), no wrap-around.
    void ClickArrow(bool up);

private:
    int Clamp(int value) const;

    int min_ = 0;
    int max_ = 100;
    int increment_ = 1;
    int position_ = 0;
    TEdit* associate_ = nullptr;
};

class TComboBox : public TControl {
public:
    TComboBox(TForm& form, TControl* parent, std::string name)
        : TControl(form, parent, ControlKind::ComboBox, std::move(name)) {}

    const std::vector<std::string>& Items() const { return items_; }
    void ClearItems();
    void AddItem(std::string_view text);
    int ItemIndex() const { return itemIndex_; }
    // A selection from code runs no handler.
    void SetItemIndex(int index);
    // The text of the selected entry (empty without a selection).
    std::string Text() const;
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int count) { dropDownCount_ = count; }
    // The user picks an entry: the selection changes and the change handler runs.
    void UserSelect(int index);

    TNotifyEvent OnChange;

private:
    std::vector<std::string> items_;
    int itemIndex_ = -1;
    int dropDownCount_ = 8;
};

class TTabSheet;

class TPageControl : public TControl {
public:
    TPageControl(TForm& form, TControl* parent, std::string name)
        : TControl(form, parent, ControlKind::PageControl, std::move(name)) {}

    const std::vector<TTabSheet*>& Pages() const { return pages_; }
    TTabSheet* ActivePage() const { return activePage_; }
    void SetActivePage(TTabSheet* page);
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool multiLine) { multiLine_ = multiLine; }

private:
    friend class TTabSheet;
    std::vector<TTabSheet*> pages_;
    TTabSheet* activePage_ = nullptr;
    bool multiLine_ = false;
};

class TTabSheet : public TControl {
public:
    TTabSheet(TForm& form, TPageControl& pageControl, std::string name);

    TPageControl& PageControl() const { return pageControl_; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string_view caption);
    int PageIndex() const;

private:
    TPageControl& pageControl_;
    std::string caption_;
};

// A timer of the user-interface thread; a driver (Win32 SetTimer, or virtual time in
// tests) makes it tick.
class TTimer;

class TimerDriver {
public:
    virtual ~TimerDriver() = default;
    // (Re)starts the timer: its next tick comes one interval from now.
    virtual void Start(TTimer& timer) = 0;
    virtual void Stop(TTimer& timer) = 0;
};

class TTimer : public TObject {
public:
    TTimer(TimerDriver& driver, std::string name, std::uint32_t interval, bool enabled);
    ~TTimer() override;
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    const std::string& Name() const { return name_; }
    bool Enabled() const { return enabled_; }
    // Switching on a running timer keeps its phase.
    void SetEnabled(bool enabled);
    std::uint32_t Interval() const { return interval_; }
    // A new interval restarts a running timer.
    void SetInterval(std::uint32_t interval);
    const TNotifyEvent& OnTimer() const { return onTimer_; }
    // Installing a handler restarts a running timer.
    void SetOnTimer(TNotifyEvent handler);

    // Called by the driver at each tick.
    void Fire();

    // The driver's slot (timer id or schedule entry).
    std::uintptr_t DriverData = 0;

private:
    bool Running() const { return enabled_ && interval_ > 0 && static_cast<bool>(onTimer_); }
    void Update();

    TimerDriver& driver_;
    std::string name_;
    std::uint32_t interval_;
    bool enabled_;
    TNotifyEvent onTimer_;
};

}  // namespace hf
