// SPDX-License-Identifier: MIT
#include "logic/listscrollmodel.h"

#include <gtest/gtest.h>

namespace {

// The picture list: 31 rows of 26 in a view 260 high, so the position runs
// from 0 to 546.
class ListScrollModelTest : public testing::Test
{
protected:
    ListScrollModelTest() { list.setRowCount(31); }

    // Puts the view at an absolute position through the public interface.
    void scrollTo(int position)
    {
        list.scrollBy(list.position() - position);
        ASSERT_EQ(list.position(), position);
    }

    ListScrollModel list{26, 260};
};

TEST_F(ListScrollModelTest, ContentOverViewGivesTheRange)
{
    EXPECT_EQ(list.maxPosition(), 546);
}

struct ScrollCase
{
    int start;
    int dy;
    int expected;
};

TEST_F(ListScrollModelTest, ScrollingClampsAtBothEnds)
{
    const ScrollCase cases[] = {
        {0, 260, 0},      // page up at the top
        {500, -260, 546}, // page down stops at the bottom
        {0, 26, 0},       // one row up at the top
        {546, -26, 546},  // one row down at the bottom
        {0, -26, 26},     // one row down
        {260, 26, 234},   // one row up
        {260, -260, 520}, // a page down in the middle
        {300, 10000, 0},  // far past the top
        {0, -10000, 546}, // far past the bottom
    };
    for (const ScrollCase &c : cases) {
        SCOPED_TRACE(testing::Message() << "from " << c.start << " by " << c.dy);
        scrollTo(c.start);
        list.scrollBy(c.dy);
        EXPECT_EQ(list.position(), c.expected);
    }
}

TEST_F(ListScrollModelTest, ShrinkingTheListPullsThePositionBack)
{
    scrollTo(546);
    list.setRowCount(12);
    EXPECT_EQ(list.position(), 52);
}

struct EnsureCase
{
    int start;
    int row;
    int expected;
};

TEST_F(ListScrollModelTest, EnsureVisibleScrollsTheLeastAmount)
{
    const EnsureCase cases[] = {
        {0, 10, 26},    // just below: its bottom edge goes to the view's bottom
        {0, 30, 546},   // the last row
        {546, 0, 0},    // above: its top edge goes to the view's top
        {300, 5, 130},  // above, from the middle
        {0, 9, 0},      // already whole at the bottom
        {13, 5, 13},    // already whole in the middle
        {13, 0, 0},     // cut at the top
        {13, 10, 26},   // cut at the bottom
        {100, -1, 100}, // no such row
        {100, 31, 100}, // no such row
    };
    for (const EnsureCase &c : cases) {
        SCOPED_TRACE(testing::Message() << "from " << c.start << " row " << c.row);
        scrollTo(c.start);
        list.ensureVisible(c.row);
        EXPECT_EQ(list.position(), c.expected);
    }
}

struct RowAtCase
{
    int position;
    int viewY;
    int row;
};

TEST_F(ListScrollModelTest, RowAtFollowsThePosition)
{
    const RowAtCase cases[] = {
        {0, 0, 0},      // top edge of the first row
        {0, 25, 0},     // its last line
        {0, 26, 1},     // next row starts
        {0, 259, 9},    // bottom line of the view
        {546, 0, 21},   // scrolled to the end
        {546, 259, 30}, // the last row
        {13, 0, 0},     // half a row scrolled off
        {13, 13, 1},    // next row starts half a row down
        {13, 259, 10},  // partly shown row at the bottom
        {0, -1, -1},    // above the view
        {0, 260, -1},   // below the view
    };
    for (const RowAtCase &c : cases) {
        SCOPED_TRACE(testing::Message() << "position " << c.position << " y " << c.viewY);
        scrollTo(c.position);
        EXPECT_EQ(list.rowAt(c.viewY), c.row);
    }
}

struct VisibleCase
{
    int position;
    int first;
    int last;
};

TEST_F(ListScrollModelTest, VisibleRowsAreTheWholeOnes)
{
    const VisibleCase cases[] = {{0, 0, 9}, {546, 21, 30}, {13, 1, 9}, {26, 1, 10}};
    for (const VisibleCase &c : cases) {
        SCOPED_TRACE(testing::Message() << "position " << c.position);
        scrollTo(c.position);
        EXPECT_EQ(list.firstVisibleRow(), c.first);
        EXPECT_EQ(list.lastVisibleRow(), c.last);
    }
}

TEST(ListScrollModel, WheelAndPageStepsComeFromTheGeometry)
{
    struct Case
    {
        int rowHeight;
        int viewHeight;
        int wheelDelta;
        int wheelStep;
        int pageStep;
    };
    const Case cases[] = {
        {26, 260, 120, 26, 260}, // the picture list: ten rows a page
        {26, 260, -120, -26, 260},
        {26, 260, 0, 26, 260}, // no delta still scrolls toward the first row
        {26, 260, -1, -26, 260},
        {26, 270, 9600, 26, 260}, // a part row is not part of the page
        {30, 20, -5, -30, 0},     // a view lower than a row pages by nothing
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.rowHeight << " in " << c.viewHeight << ", delta " << c.wheelDelta);
        const ListScrollModel list(c.rowHeight, c.viewHeight);
        EXPECT_EQ(list.wheelStep(c.wheelDelta), c.wheelStep);
        EXPECT_EQ(list.pageStep(), c.pageStep);
    }
}

TEST(ListScrollModel, ListShorterThanTheViewStaysAtTheTop)
{
    ListScrollModel list(26, 260);
    list.setRowCount(3);
    EXPECT_EQ(list.maxPosition(), 0);
    list.scrollBy(-26);
    EXPECT_EQ(list.position(), 0);
    EXPECT_EQ(list.rowAt(77), 2);
    EXPECT_EQ(list.rowAt(78), -1);
    EXPECT_EQ(list.firstVisibleRow(), 0);
    EXPECT_EQ(list.lastVisibleRow(), 2);
}

} // namespace
