#include "platform/qt/ApplicationPalette.h"
#include "platform/qt/PanelContrast.h"
#include "tests/platform/qt/OffscreenApplication.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>

using platform::ApplicationPalette;
using platform::PanelContrast;

namespace {

TEST(ApplicationPaletteTest, TheDarkAppearanceDarkensEveryWindowAndTheLightOneGivesTheThemeBack) {
    menulets::testing::offscreenApplication();
    const QPalette theme = QApplication::palette();
    ASSERT_FALSE(ApplicationPalette::isDark(theme)) << "the offscreen theme is light";
    QWidget window;
    auto* field = new QLineEdit(&window);

    ApplicationPalette::follow(true);
    // Widgets take the new palette as Qt delivers its change.
    QCoreApplication::processEvents();
    EXPECT_TRUE(ApplicationPalette::isDark(window.palette()));
    EXPECT_LT(field->palette().color(QPalette::Base).lightness(), 64);
    EXPECT_GT(field->palette().color(QPalette::Text).lightness(), 192);
    // Text keeps a contrast of 4.5:1 or more (WCAG) against what it is written on.
    const QPalette dark = ApplicationPalette::dark();
    for (auto [text, ground] : {std::pair{QPalette::WindowText, QPalette::Window}, {QPalette::Text, QPalette::Base},
                                {QPalette::ButtonText, QPalette::Button}, {QPalette::HighlightedText, QPalette::Highlight}}) {
        EXPECT_GE(PanelContrast::contrastRatio(dark.color(text), dark.color(ground)), 4.5) << text;
    }

    ApplicationPalette::follow(false);
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::palette(), theme);
    EXPECT_FALSE(ApplicationPalette::isDark(field->palette()));
}

} // namespace
