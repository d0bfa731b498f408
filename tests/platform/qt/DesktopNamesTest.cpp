#include "platform/appkit/Event.h"
#include "platform/qt/DisplayProbe.h"
#include "platform/qt/SoundTheme.h"
#include "platform/qt/TrayItem.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(DesktopNamesTest, HeldKeysBecomeThePlatformsModifierFlags) {
    EXPECT_EQ(TrayItem::modifierFlags(Qt::NoModifier), 0u);
    EXPECT_EQ(TrayItem::modifierFlags(Qt::AltModifier), ModifierFlags::option);
    EXPECT_EQ(TrayItem::modifierFlags(Qt::ShiftModifier | Qt::ControlModifier),
              ModifierFlags::shift | ModifierFlags::control);
    EXPECT_EQ(TrayItem::modifierFlags(Qt::MetaModifier | Qt::AltModifier),
              ModifierFlags::command | ModifierFlags::option);
    EXPECT_EQ(TrayItem::modifierFlags(Qt::KeypadModifier), 0u) << "keys the platform has no flag for are left out";
}

TEST(DesktopNamesTest, SystemSoundsPlayTheSoundThemesEventsAndUnknownOnesTheBell) {
    EXPECT_EQ(SoundTheme::eventName("Glass"), "complete");
    EXPECT_EQ(SoundTheme::eventName("Sosumi"), "alarm-clock-elapsed");
    EXPECT_EQ(SoundTheme::eventName("Frobnicate"), "bell");
    EXPECT_EQ(SoundTheme::eventName(""), "bell");
}

TEST(DesktopNamesTest, LocalDisplayNamesGiveTheServersSocketAndOthersNone) {
    EXPECT_EQ(DisplayProbe::localSocketPath(":0"), "/tmp/.X11-unix/X0");
    EXPECT_EQ(DisplayProbe::localSocketPath(":12.1"), "/tmp/.X11-unix/X12");
    EXPECT_EQ(DisplayProbe::localSocketPath("unix:3"), "/tmp/.X11-unix/X3");
    EXPECT_EQ(DisplayProbe::localSocketPath("/private/tmp/launch-x/org.xquartz:0"), "/private/tmp/launch-x/org.xquartz");
    EXPECT_EQ(DisplayProbe::localSocketPath("remote.example:0"), "");
    EXPECT_EQ(DisplayProbe::localSocketPath(":"), "");
    EXPECT_EQ(DisplayProbe::localSocketPath(":x"), "");
    EXPECT_EQ(DisplayProbe::localSocketPath("0"), "");
    EXPECT_EQ(DisplayProbe::localSocketPath(""), "");
}

} // namespace
