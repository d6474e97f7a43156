// The option edits: every text passes through its setter, and text that is no number is
// reported by the default error report with the option unchanged.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ZonesFixture.h"

namespace hf::testing {
namespace {

class OptionEditTest : public ZonesTest {
protected:
    void SetUp() override { startProgram(); }
};

TEST_F(OptionEditTest, TypingIntoTheCutoffValidatesEveryIntermediateText) {
    struct Step {
        const char* typed;
        const char* shown;
        std::int32_t value;
    };
    const std::vector<Step> steps = {
        {"9", "120", 120}, {"6", "120", 120}, {"65", "65", 65}, {"650", "120", 120},
        {"180", "180", 180}, {"0x50", "80", 80}, {"060", "60", 60},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.typed);
        type(form->edtCatapultCutoff, step.typed);
        EXPECT_EQ(form->edtCatapultCutoff.Text(), step.shown);
        EXPECT_EQ(form->CatapultSpeedCutoff, step.value);
        EXPECT_EQ(form->updwnCatapultCutoff.Position(), step.value);
        EXPECT_DOUBLE_EQ(form->CatapultSpeedCutoffFps, step.value * 1.689);
    }
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(OptionEditTest, TheArrowsStepThroughTheSetters) {
    form->updwnDecelFactor.ClickArrow(true);  // toward -1500, a stronger deceleration
    EXPECT_EQ(form->CableCatchAccel, -750.0);
    EXPECT_EQ(form->edtDecelFactor.Text(), "-750");
    form->updwnTimingResolution.ClickArrow(true);
    EXPECT_EQ(form->TimingResolutionFactor, 2);
    EXPECT_EQ(form->tmrDecel.Interval(), 20u);
    for (int i = 0; i < 40; ++i) form->updwnCatapultHoldFactor.ClickArrow(true);
    EXPECT_EQ(form->CatapultHoldFactor, -200);  // no wrap-around
    type(form->edtAccelFactor, "1000.5");
    EXPECT_EQ(form->CatapultAccel, 1000.0);  // shown rounded half to even, then taken back
    EXPECT_EQ(form->edtAccelFactor.Text(), "1000");
}

TEST_F(OptionEditTest, TextThatIsNoNumberIsReportedAndChangesNothing) {
    struct Bad {
        TEdit TFormMain::*edit;
        const char* text;
        const char* message;
    };
    const std::vector<Bad> cases = {
        {&TFormMain::edtCatapultCutoff, "", "'' is not a valid integer value"},
        {&TFormMain::edtCatapultHoldFactor, "1 0", "'1 0' is not a valid integer value"},
        {&TFormMain::edtTimingResolution, "2.0", "'2.0' is not a valid integer value"},
        {&TFormMain::edtAccelFactor, "7,5", "'7,5' is not a valid floating point value"},
        {&TFormMain::edtDecelFactor, "-", "'-' is not a valid floating point value"},
        {&TFormMain::edtDecelFactor, "-1e999", "'-1e999' is not a valid floating point value"},
    };
    for (const Bad& bad : cases) {
        SCOPED_TRACE(bad.text);
        host.errors.clear();
        const auto options = std::make_tuple(form->CatapultSpeedCutoff, form->CatapultHoldFactor,
                                             form->TimingResolutionFactor, form->CatapultAccel,
                                             form->CableCatchAccel);
        TEdit& edit = (*form).*bad.edit;
        type(edit, bad.text);
        EXPECT_EQ(host.errors, (std::vector<std::string>{bad.message}));
        EXPECT_EQ(edit.Text(), bad.text);  // the edit keeps the text
        EXPECT_EQ(options, std::make_tuple(form->CatapultSpeedCutoff, form->CatapultHoldFactor,
                                           form->TimingResolutionFactor, form->CatapultAccel,
                                           form->CableCatchAccel));
    }
}

TEST_F(OptionEditTest, TheSecondCaptionLineTogglesItsCheckBox) {
    ASSERT_TRUE(form->chkbxLateralOffsetTrapAnywhere.Checked());
    form->lblWhenTrappingAnywhere.Click();
    EXPECT_FALSE(form->chkbxLateralOffsetTrapAnywhere.Checked());
    form->lblWhenTrappingAnywhere.Click();
    EXPECT_TRUE(form->chkbxLateralOffsetTrapAnywhere.Checked());
}

}  // namespace
}  // namespace hf::testing
