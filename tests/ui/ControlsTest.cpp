// The toolkit semantics the handlers rely on, and the headless timers in virtual time.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "testing/HeadlessTimers.h"
#include "testing/TestHost.h"
#include "ui/FileListBox.h"
#include "testing/VirtualClock.h"
#include "ui/Controls.h"
#include "ui/Form.h"

namespace hf {
namespace {

using hf::testing::HeadlessTimers;
using hf::testing::VirtualClock;

TNotifyEvent Counter(int& count) {
    return {"count", [&count](TObject*) { ++count; }};
}

TEST(Controls, CheckBoxAndRadioGroupRunTheirClickOnlyOnAChange) {
    TForm form("form", nullptr);
    TCheckBox box(form, nullptr, "box");
    TRadioGroup group(form, nullptr, "group");
    int boxClicks = 0, groupClicks = 0;
    box.OnClick = Counter(boxClicks);
    group.OnClick = Counter(groupClicks);
    group.AddItem("a", 7);
    group.AddItem("b", 9);

    box.SetChecked(false);
    EXPECT_EQ(boxClicks, 0);
    box.SetChecked(true);
    box.SetChecked(true);
    EXPECT_EQ(boxClicks, 1);
    box.Click();  // the user's click toggles
    EXPECT_FALSE(box.Checked());
    EXPECT_EQ(boxClicks, 2);

    EXPECT_EQ(group.ItemIndex(), -1);
    group.SetItemIndex(1);
    group.SetItemIndex(1);
    EXPECT_EQ(groupClicks, 1);
    EXPECT_EQ(group.SelectedObject(), 9u);
    group.SetItemIndex(5);  // pulled in to the last item: no change
    EXPECT_EQ(group.ItemIndex(), 1);
    EXPECT_EQ(groupClicks, 1);
    group.ClearItems();  // no selection, no click
    EXPECT_EQ(group.ItemIndex(), -1);
    EXPECT_EQ(groupClicks, 1);
    EXPECT_EQ(group.SelectedText(), "");
}

TEST(Controls, EditRunsItsChangeOnEveryNewTextAndUpDownWritesItsPosition) {
    TForm form("form", nullptr);
    TEdit edit(form, nullptr, "edit");
    TUpDown upDown(form, nullptr, "updown");
    std::vector<std::string> seen;
    edit.OnChange = {"change", [&](TObject*) { seen.push_back(edit.Text()); }};
    upDown.SetAssociate(&edit);

    // A range that runs downwards: the up arrow moves toward Max.
    upDown.SetRange(-100, -1500);
    upDown.SetIncrement(50);
    upDown.SetPosition(-700);
    upDown.ClickArrow(true);
    EXPECT_EQ(upDown.Position(), -750);
    upDown.SetPosition(-1490);
    upDown.ClickArrow(true);  // clamped, no wrap-around
    EXPECT_EQ(upDown.Position(), -1500);
    upDown.SetPosition(0);
    EXPECT_EQ(upDown.Position(), -100);
    edit.SetText("-100");  // same text: nothing runs
    EXPECT_EQ(seen, (std::vector<std::string>{"-700", "-750", "-1490", "-1500", "-100"}));
}

TEST(Controls, ComboBoxRunsItsChangeOnlyForTheUsersPick) {
    TForm form("form", nullptr);
    TComboBox combo(form, nullptr, "combo");
    int changes = 0;
    combo.OnChange = Counter(changes);
    combo.AddItem("A.dat");
    combo.AddItem("B.dat");
    combo.SetItemIndex(1);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(combo.Text(), "B.dat");
    combo.UserSelect(0);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(combo.Text(), "A.dat");
}

TEST(Controls, GroupedSpeedButtonFlipsBeforeItsActionAndButtonsFollowTheActionCaption) {
    TForm form("form", nullptr);
    TAction action("act");
    TSpeedButton toggle(form, nullptr, "toggle");
    TButton button(form, nullptr, "button");
    std::vector<bool> downSeen;
    action.OnExecute = {"execute", [&](TObject*) { downSeen.push_back(toggle.Down()); }};
    toggle.SetGroupIndex(1);
    toggle.SetAllowAllUp(true);
    toggle.SetAction(&action);
    button.SetAction(&action);

    toggle.Click();
    toggle.Click();
    EXPECT_EQ(downSeen, (std::vector<bool>{true, false}));
    action.SetCaption("Reset");
    EXPECT_EQ(button.Caption(), "Reset");
    EXPECT_EQ(toggle.Caption(), "Reset");
    button.Click();
    EXPECT_EQ(downSeen.size(), 3u);
}

TEST(Controls, LabelThatSizesItselfFollowsItsCaption) {
    TForm form("form", nullptr);
    form.SetTextMeasure([](const TControl&, std::string_view text) {
        return static_cast<int>(text.size()) * 7;
    });
    TLabel label(form, nullptr, "label");
    label.SetCaption("Flight status:");
    EXPECT_EQ(label.Width(), 14 * 7);
    TLabel wrapped(form, nullptr, "wrapped");
    wrapped.SetAutoSize(false);
    wrapped.SetBounds(0, 0, 300, 26);
    wrapped.SetCaption("a long text");
    EXPECT_EQ(wrapped.Width(), 300);
}

TEST(Controls, FileListReadsItsFolderOnceAndMakesItTheWorkingDirectory) {
    const auto folder = std::filesystem::temp_directory_path() / "hf_filelist_test";
    std::filesystem::create_directories(folder / "sub.dat");
    for (const char* name : {"b.DAT", "A.dat", "c.txt", "x.datx", ".hidden.dat"}) {
        std::ofstream(folder / name) << "x";
    }
    VirtualClock clock;
    hf::testing::TestHost host(clock, folder);
    TForm form("form", nullptr);
    TFileListBox list(form, nullptr, "list", host);
    list.SetMask("*.dat");
    const std::string dir = (folder / "").string();
    list.SetDirectory(dir);
    EXPECT_EQ(host.WorkingDirectory(), dir);
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"A.dat", "b.DAT"}));
    std::ofstream(folder / "new.dat") << "x";
    list.SetDirectory(dir);  // the same folder again: not read afresh
    EXPECT_EQ(list.Items().size(), 2u);
    EXPECT_EQ(host.listings, 1);
    std::filesystem::remove_all(folder);
}

// The outermost handler begins a new operation; the handlers it runs from code, and those
// run inside the close, begin none.
TEST(Controls, OnlyTheOutermostHandlerOfANewOperationCallsTheBeginHook) {
    TForm form("form", nullptr);
    TCheckBox box(form, nullptr, "box");
    TAction action("action");
    int begun = 0;
    Operation::SetOnBegin([&begun] { ++begun; });
    int boxClicks = 0;
    box.OnClick = Counter(boxClicks);
    action.OnExecute = {"execute", [&](TObject*) {
                            EXPECT_TRUE(Operation::Running());
                            box.SetChecked(!box.Checked());  // a handler run from code
                        }};

    action.Execute();
    EXPECT_EQ(boxClicks, 1);
    EXPECT_EQ(begun, 1);
    box.Click();
    EXPECT_EQ(begun, 2);
    {
        const Operation::Hold close(false);
        action.Execute();
        box.Click();
    }
    EXPECT_EQ(boxClicks, 4);
    EXPECT_EQ(begun, 2);
    {
        const Operation::Hold start(true);
        EXPECT_EQ(begun, 3);
        action.Execute();
    }
    EXPECT_EQ(begun, 3);
    // A handler that raises still ends its operation.
    action.OnExecute = {"raise", [](TObject*) { throw std::runtime_error("raised"); }};
    EXPECT_THROW(action.Execute(), std::runtime_error);
    EXPECT_FALSE(Operation::Running());
    box.Click();
    EXPECT_EQ(begun, 5);
    Operation::SetOnBegin({});
}

class TimerTest : public ::testing::Test {
protected:
    VirtualClock clock;
    HeadlessTimers timers{clock};
    std::vector<std::string> log;

    TNotifyEvent Record(std::string name) {
        return {"record", [this, name](TObject*) {
                    log.push_back(name + "@" + std::to_string(clock.nowMs()));
                }};
    }
};

TEST_F(TimerTest, SwitchingOnARunningTimerKeepsItsPhaseWhileAHandlerOrIntervalRestartsIt) {
    TTimer timer(timers, "t", 1000, true);
    timer.SetOnTimer(Record("t"));  // installed at load: starts at 0
    timers.Advance(400);
    timer.SetEnabled(true);  // already on: no restart
    timers.Advance(700);
    EXPECT_EQ(log, (std::vector<std::string>{"t@1000"}));

    timers.Advance(200);  // now 1300
    timer.SetOnTimer(Record("u"));  // restart from 1300
    timers.Advance(1000);
    EXPECT_EQ(log.back(), "u@2300");

    timer.SetInterval(1000);  // unchanged interval: no restart
    timers.Advance(500);      // now 2800
    timer.SetInterval(300);   // a new interval restarts
    timers.Advance(300);
    EXPECT_EQ(log.back(), "u@3100");

    timer.SetEnabled(false);
    timers.Advance(5000);
    EXPECT_EQ(log.back(), "u@3100");
    timer.SetEnabled(true);  // from off: starts afresh
    EXPECT_EQ(timers.NextTickMs(timer), clock.nowMs() + 300);
}

TEST_F(TimerTest, TicksComeInTimeOrderAndABlockingHandlerLetsNothingTickMeanwhile) {
    TTimer fast(timers, "fast", 50, true);
    TTimer slow(timers, "slow", 120, true);
    fast.SetOnTimer(Record("fast"));
    int slowTicks = 0;
    slow.SetOnTimer({"block", [&](TObject*) {
                         log.push_back("slow@" + std::to_string(clock.nowMs()));
                         if (++slowTicks == 1) clock.advance(500);  // a blocking wait
                     }});
    timers.Advance(700);
    // fast at 50 and 100; slow at 120 blocks until 620; the fast ticks missed meanwhile
    // come as one tick at 620, slow's missed tick at 620 too; then fast keeps 50 ms.
    const std::vector<std::string> expected = {"fast@50", "fast@100", "slow@120", "fast@620",
                                               "slow@620", "fast@670"};
    EXPECT_EQ(log, expected);
}

TEST_F(TimerTest, ATimerWithoutHandlerDoesNotRun) {
    TTimer timer(timers, "t", 100, true);
    EXPECT_FALSE(timers.Scheduled(timer));
    timer.SetOnTimer(Record("t"));
    EXPECT_TRUE(timers.Scheduled(timer));
}

}  // namespace
}  // namespace hf
