#include "platform/appkit/Image.h"
#include "platform/appkit/StatusBar.h"
#include "platform/appkit/StatusBarButton.h"
#include "platform/appkit/StatusItem.h"
#include "platform/qt/StatusIconPainter.h"
#include "tests/platform/qt/OffscreenApplication.h"

#include <gtest/gtest.h>

#include <QImage>

using namespace platform;

namespace {

constexpr int size = 32;

int opaquePixels(const QImage& image, QRect area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
        }
    }
    return count;
}

class StatusIconPainterTest : public ::testing::Test {
protected:
    void SetUp() override {
        menulets::testing::offscreenApplication();
        StatusBar::system().reset();
        item = StatusBar::system().statusItem(StatusItem::variableLength);
    }
    void TearDown() override { StatusBar::system().reset(); }

    QImage paint(QColor text = Qt::white) const {
        return StatusIconPainter(text, size).paint(*item).toImage();
    }

    std::shared_ptr<StatusItem> item;
};

TEST_F(StatusIconPainterTest, EverySymbolOfTheCatalogueHasAnIconInThePanelsTextColour) {
    const QColor text(200, 30, 40);
    for (const auto& name : Image::symbolNames()) {
        const QImage icon = StatusIconPainter(text, size).symbol(name, true);
        ASSERT_FALSE(icon.isNull()) << name;
        EXPECT_TRUE(icon.width() == size || icon.height() == size) << name << " fills the square on its long side";
        for (int y = 0; y < icon.height(); ++y) {
            for (int x = 0; x < icon.width(); ++x) {
                const QRgb pixel = icon.pixel(x, y);
                if (qAlpha(pixel) == 255) {
                    EXPECT_EQ(QColor(pixel).rgb(), text.rgb()) << name << " at " << x << "," << y;
                }
            }
        }
        EXPECT_GT(opaquePixels(icon, icon.rect()), size) << name << " draws something";
    }
    EXPECT_TRUE(StatusIconPainter(text, size).symbol("no.such.symbol", true).isNull());
}

TEST_F(StatusIconPainterTest, TitleAloneFillsTheIconAndBesideAnImageBecomesACornerBadge) {
    auto button = item->button();
    EXPECT_EQ(opaquePixels(paint(), QRect(0, 0, size, size)), 0) << "nothing to show, nothing drawn";

    button->setTitle("📥");
    EXPECT_GT(opaquePixels(paint(), QRect(0, 0, size, size)), size);

    button->setTitle("");
    button->setImage(Image::systemSymbol("arrowshape.bounce.right", ""));
    const QImage imageOnly = paint();
    button->setTitle("2");
    const QImage withCount = paint();
    const QRect corner(size / 2, size / 2, size / 2, size / 2);
    EXPECT_GT(opaquePixels(withCount, corner), opaquePixels(imageOnly, corner));
    const QRect topRows(0, 0, size, size / 3);
    EXPECT_TRUE(withCount.copy(topRows) == imageOnly.copy(topRows)) << "the image stays where it was";

    button->setImagePosition(ImagePosition::imageOnly);
    EXPECT_TRUE(paint() == imageOnly) << "an image-only button hides its title";
    button->setImagePosition(ImagePosition::noImage);
    button->setTitle("");
    EXPECT_EQ(opaquePixels(paint(), QRect(0, 0, size, size)), 0) << "a button without image shows none";
}

TEST_F(StatusIconPainterTest, AnItemAsNarrowAsItsImageShowsTheImageAlone) {
    auto& bar = StatusBar::system();
    for (const double length : {18.0, StatusItem::squareLength}) {
        item = bar.statusItem(length);
        auto button = item->button();
        auto image = Image::systemSymbol("eye.fill", "");
        image->setSize(Size{22, 22});
        button->setImage(image);
        const QImage imageOnly = paint();
        button->setTitle("Stretch Eyes");
        EXPECT_TRUE(paint() == imageOnly) << item->describeLength() << ": the bar clips the title";
    }
    item = bar.statusItem(40);
    item->button()->setImage(Image::systemSymbol("eye.fill", ""));
    const QImage imageOnly = paint();
    item->button()->setTitle("3");
    EXPECT_FALSE(paint() == imageOnly) << "room beside the image: the title shows";
}

} // namespace
