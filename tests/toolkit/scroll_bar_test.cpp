// The vertical scroll bar follows the classic toolkit, not Qt: out-of-range values are refused,
// Change comes with every change of Value, and Min may lie below Max.
#include <gtest/gtest.h>

#include <QAbstractSlider>
#include <QImage>
#include <vector>

#include "platform/runtime_error.h"
#include "platform/toolkit/command_button.h"
#include "platform/toolkit/vscroll_bar.h"
#include "tests/toolkit/test_form.h"

namespace {

struct RangeCase {
    std::int16_t min, max, start, assigned;
    bool accepted;
};

class ScrollBarRange : public testing::TestWithParam<RangeCase> {};

TEST_P(ScrollBarRange, AssignsInsideTheRangeAndRefusesOutside) {
    const RangeCase c = GetParam();
    TestForm form;
    VScrollBar bar(form);
    bar.Min(c.min);
    bar.Max(c.max);
    bar.Value(c.start);
    int changes = 0;
    bar.Change = [&] { ++changes; };
    if (c.accepted) {
        bar.Value(c.assigned);
        EXPECT_EQ(bar.Value(), c.assigned);
        EXPECT_EQ(changes, c.assigned == c.start ? 0 : 1);
    } else {
        EXPECT_THROW(bar.Value(c.assigned), RuntimeError);
        EXPECT_EQ(bar.Value(), c.start);
        EXPECT_EQ(changes, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScrollBarRange,
    testing::Values(RangeCase{0, 32767, 0, 16383, true}, RangeCase{0, 32767, 5, 5, true},
                    RangeCase{0, 32767, 0, -1, false}, RangeCase{0, 0, 0, 32767, false},
                    RangeCase{-32768, 32767, 0, -32768, true}, RangeCase{100, -100, 0, -100, true},
                    RangeCase{100, -100, 0, 101, false}));

TEST(ScrollBar, ShrinkingTheRangePullsTheValueInAndReportsIt) {
    TestForm form;
    VScrollBar bar(form);
    bar.Value(30000);
    int changes = 0;
    bar.Change = [&] { ++changes; };
    bar.Max(1000);
    EXPECT_EQ(bar.Value(), 1000);
    EXPECT_EQ(changes, 1);
}

TEST(ScrollBar, UserStepsRaiseChangeAndMoveFromMinTowardsMax) {
    TestForm form;
    VScrollBar bar(form);
    bar.Min(100);
    bar.Max(-100);
    bar.SmallChange(10);
    bar.Value(0);
    int changes = 0;
    bar.Change = [&] { ++changes; };
    auto* widget = static_cast<QAbstractSlider*>(bar.Widget());
    widget->triggerAction(QAbstractSlider::SliderSingleStepAdd);  // one click on the lower arrow
    EXPECT_EQ(bar.Value(), -10);
    EXPECT_EQ(changes, 1);
}

TEST(ScrollBar, TabReachesTheBarWhichShowsTheFocusAndTheArrowAndPageKeysMoveIt) {
    TestForm form;
    CommandButton before(form);
    before.TabIndex(0);
    VScrollBar bar(form);
    bar.TabIndex(1);
    bar.Max(100);
    bar.SmallChange(5);
    bar.LargeChange(20);
    bar.Value(50);
    std::vector<std::int16_t> changes;
    bar.Change = [&] { changes.push_back(bar.Value()); };
    ASSERT_TRUE(ShowActive(form));
    const QImage unfocused = bar.Widget()->grab().toImage();
    PressKey(before.Widget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), bar.Widget());
    EXPECT_NE(bar.Widget()->grab().toImage(), unfocused);  // it shows where the focus is
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_PageDown, Qt::Key_Up, Qt::Key_PageUp, Qt::Key_PageUp,
                        Qt::Key_PageUp}) {
        QTest::keyClick(form.Window()->windowHandle(), key);
    }
    EXPECT_EQ(changes, (std::vector<std::int16_t>{55, 75, 70, 50, 30, 10}));
}

}  // namespace
