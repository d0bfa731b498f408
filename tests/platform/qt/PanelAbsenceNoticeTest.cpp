#include "platform/qt/PanelAbsenceNotice.h"

#include <gtest/gtest.h>

using platform::PanelAbsenceNotice;

namespace {

// Where a chip is, said as a person would look for it, on a screen that
// need not start at the origin (the second of two monitors).
TEST(PanelAbsenceNoticeTest, TheChipsPlaceIsSaidByTheThirdsOfItsScreen) {
    const QRect screen(1920, 0, 1200, 900);
    const auto place = [&screen](int x, int y) {
        return PanelAbsenceNotice::placeOn(QRect(screen.x() + x - 20, y - 20, 40, 40), screen).toStdString();
    };
    EXPECT_EQ(place(1150, 60), "at the top right of the screen");
    EXPECT_EQ(place(30, 880), "at the bottom left of the screen");
    EXPECT_EQ(place(600, 450), "in the middle of the screen");
    EXPECT_EQ(place(1150, 450), "on the right of the screen");
    EXPECT_EQ(place(600, 20), "at the top of the screen");
}

} // namespace
