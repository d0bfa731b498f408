#include "platform/qt/PanelContrast.h"
#include "tests/platform/qt/OffscreenApplication.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QSet>

using platform::PanelContrast;

namespace {

QDir iconFolder(const char* context) {
    return QDir(QStringLiteral(MENULETS_BINARY_DIR "/share/icons/hicolor/scalable/") + QLatin1String(context));
}

QImage render(const QString& path, int size) {
    QImageReader reader(path);
    reader.setScaledSize(QSize(size, size));
    return reader.read().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

// Launchers show application icons on dark and light backgrounds: each is a
// symbol that stands out from its own tile, whatever is behind the tile.
TEST(InstalledIcons, ApplicationIconsAreAWhiteSymbolOnATileOfTheirOwn) {
    menulets::testing::offscreenApplication();
    const QStringList icons = iconFolder("apps").entryList({QStringLiteral("dev.menulets.*.svg")});
    ASSERT_GE(icons.size(), 9);
    QSet<QRgb> tiles;
    for (const QString& name : icons) {
        const QImage image = render(iconFolder("apps").filePath(name), 64);
        ASSERT_FALSE(image.isNull()) << name.toStdString();
        const QColor tile = image.pixelColor(8, 32);
        ASSERT_EQ(tile.alpha(), 255) << name.toStdString() << ": the tile reaches its edges";
        tiles.insert(tile.rgb());
        int symbolPixels = 0;
        for (int y = 16; y < 48; ++y) {
            for (int x = 16; x < 48; ++x) {
                const QColor pixel = image.pixelColor(x, y);
                symbolPixels += pixel.alpha() == 255 && PanelContrast::contrastRatio(pixel, tile) >= 4.5 ? 1 : 0;
            }
        }
        EXPECT_GT(symbolPixels, 40) << name.toStdString() << ": the symbol stands out from the tile";
    }
    EXPECT_EQ(tiles.size(), icons.size()) << "every program has a colour of its own";
}

// Plasma recolours a tray's symbolic icon through the colour scheme's class;
// drawn as it is, it is the scheme's text colour.
TEST(InstalledIcons, SymbolicStatusIconsDrawInTheSchemesTextColour) {
    menulets::testing::offscreenApplication();
    const QStringList icons = iconFolder("status").entryList({QStringLiteral("menulets-*-symbolic.svg")});
    ASSERT_GE(icons.size(), 12);
    for (const QString& name : icons) {
        const QImage image = render(iconFolder("status").filePath(name), 32);
        ASSERT_FALSE(image.isNull()) << name.toStdString();
        int schemePixels = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                schemePixels += image.pixel(x, y) == QColor(0x23, 0x26, 0x29).rgba() ? 1 : 0;
            }
        }
        EXPECT_GT(schemePixels, 10) << name.toStdString();
    }
}
