// The vertical scroll bar follows the classic toolkit, not Qt: out-of-range values are refused,
// Change comes with every change of Value, and Min may lie below Max.
#include <gtest/gtest.h>

#include <QImage>
#include <vector>

#include "platform/runtime_error.h"
#include "platform/toolkit/command_button.h"
#include "platform/toolkit/vscroll_bar.h"
#include "tests/toolkit/test_form.h"

namespace {

class ScrollBar : public testing::Test {
  protected:
    TestForm form;
    VScrollBar bar{form};
    int changes = 0;
};

TEST_F(ScrollBar, AssignsInsideTheRangeAndRefusesOutside) {
    const struct {
        std::int16_t min, max, start, assigned;
        bool accepted;
    } rows[] = {{0, 32767, 0, 16383, true},       {0, 32767, 5, 5, true},
                {0, 32767, 0, -1, false},         {0, 0, 0, 32767, false},
                {-32768, 32767, 0, -32768, true}, {100, -100, 0, -100, true},
                {100, -100, 0, 101, false}};
    for (const auto& row : rows) {
        bar.Min(row.min);
        bar.Max(row.max);
        bar.Value(row.start);
        changes = 0;
        bar.Change = [&] { ++changes; };
        if (row.accepted) {
            bar.Value(row.assigned);
        } else {
            EXPECT_THROW(bar.Value(row.assigned), RuntimeError) << row.assigned;
        }
        EXPECT_EQ(bar.Value(), row.accepted ? row.assigned : row.start) << row.assigned;
        EXPECT_EQ(changes, bar.Value() == row.start ? 0 : 1) << row.assigned;
        bar.Change = nullptr;
    }
}

TEST_F(ScrollBar, ShrinkingTheRangePullsTheValueInAndReportsIt) {
    bar.Value(30000);
    bar.Change = [&] { ++changes; };
    bar.Max(1000);
    EXPECT_EQ(bar.Value(), 1000);
    EXPECT_EQ(changes, 1);
}

TEST_F(ScrollBar, TabReachesTheBarWhichShowsTheFocusAndTheArrowAndPageKeysMoveIt) {
    CommandButton before(form);
    before.TabIndex(0);
    bar.TabIndex(1);
    bar.Max(100);
    bar.SmallChange(5);
    bar.LargeChange(20);
    bar.Value(50);
    std::vector<std::int16_t> values;
    bar.Change = [&] { values.push_back(bar.Value()); };
    ASSERT_TRUE(ShowActive(form));
    const QImage unfocused = bar.Widget()->grab().toImage();
    PressKey(before.Widget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), bar.Widget());
    EXPECT_NE(bar.Widget()->grab().toImage(), unfocused);  // it shows where the focus is
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_PageDown, Qt::Key_Up, Qt::Key_PageUp, Qt::Key_PageUp,
                        Qt::Key_PageUp}) {
        QTest::keyClick(form.Window()->windowHandle(), key);
    }
    EXPECT_EQ(values, (std::vector<std::int16_t>{55, 75, 70, 50, 30, 10}));
}

}  // namespace
