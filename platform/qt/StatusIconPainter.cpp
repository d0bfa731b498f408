#include "platform/qt/StatusIconPainter.h"

#include "platform/appkit/Image.h"
#include "platform/appkit/StatusBar.h"
#include "platform/appkit/StatusBarButton.h"
#include "platform/appkit/StatusItem.h"

#include <QImageReader>
#include <QPainter>

namespace platform {

QString StatusIconPainter::iconPath(const std::string& symbolName) {
    return QStringLiteral(":/menulets/icons/") + QString::fromStdString(symbolName) + QStringLiteral(".svg");
}

QImage StatusIconPainter::symbol(const std::string& name, bool isTemplate) const {
    QImageReader reader(iconPath(name));
    const QSize natural = reader.size();
    if (!natural.isValid()) {
        return {};
    }
    reader.setScaledSize(natural.scaled(size_, size_, Qt::KeepAspectRatio));
    QImage image = reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (image.isNull() || !isTemplate) {
        return image;
    }
    // A template keeps only its shape; the colour is the panel's.
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(image.rect(), textColor_);
    return image;
}

void StatusIconPainter::drawTitle(QPainter& painter, const QString& title, bool asBadge) const {
    QFont font = painter.font();
    font.setBold(asBadge);
    // The largest size at which the title fits its box.
    // Alone, it leaves room for its rim.
    const int box = asBadge ? size_ * 5 / 8 : size_ - 2 * rimWidth();
    int pixels = box;
    for (; pixels > 4; --pixels) {
        font.setPixelSize(pixels);
        const QSize needed = QFontMetrics(font).size(Qt::TextSingleLine, title);
        if (needed.width() <= box && needed.height() <= box) {
            break;
        }
    }
    font.setPixelSize(pixels);
    painter.setFont(font);
    QRect area(0, 0, size_, size_);
    if (asBadge) {
        const QSize needed = QFontMetrics(font).size(Qt::TextSingleLine, title);
        const int width = std::max(needed.width() + 2, needed.height());
        area = QRect(size_ - width, size_ - needed.height(), width, needed.height());
        painter.setPen(Qt::NoPen);
        painter.setBrush(textColor_);
        painter.drawRoundedRect(area, area.height() / 2.0, area.height() / 2.0);
        // The badge's text takes the colour the panel has behind the icon.
        painter.setPen(QColor::fromHsl(textColor_.hslHue(), textColor_.hslSaturation(), 255 - textColor_.lightness()));
        painter.drawText(area, Qt::AlignCenter, title);
        return;
    }
    // Alone, the title may be an emoji in colours of its own: drawn with a
    // rim in the panel's symbol colour, it stands out on any panel.
    QImage glyphs(size_, size_, QImage::Format_ARGB32_Premultiplied);
    glyphs.fill(Qt::transparent);
    QPainter glyphPainter(&glyphs);
    glyphPainter.setRenderHints(painter.renderHints());
    glyphPainter.setFont(font);
    glyphPainter.setPen(textColor_);
    glyphPainter.drawText(area, Qt::AlignCenter, title);
    glyphPainter.end();
    painter.drawImage(0, 0, rimmed(glyphs));
}

// About one pixel of the panel's icon size: the icon is drawn larger and scaled down.
int StatusIconPainter::rimWidth() const { return std::max(1, size_ / 20); }

QImage StatusIconPainter::rimmed(const QImage& glyphs) const {
    const int radius = rimWidth();
    QImage result(glyphs.size(), QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::transparent);
    const QRgb rim = textColor_.rgba();
    for (int y = 0; y < glyphs.height(); ++y) {
        for (int x = 0; x < glyphs.width(); ++x) {
            bool near = false;
            for (int dy = -radius; dy <= radius && !near; ++dy) {
                for (int dx = -radius; dx <= radius && !near; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    near = nx >= 0 && ny >= 0 && nx < glyphs.width() && ny < glyphs.height() &&
                           qAlpha(glyphs.pixel(nx, ny)) > 64;
                }
            }
            if (near) {
                result.setPixel(x, y, rim);
            }
        }
    }
    QPainter painter(&result);
    painter.drawImage(0, 0, glyphs);
    return result;
}

bool StatusIconPainter::clipsTitle(const StatusItem& item) {
    const auto button = item.button();
    const auto image = button ? button->image() : nullptr;
    if (!image || button->imagePosition() == ImagePosition::noImage) {
        return false;
    }
    const double length = item.length() == StatusItem::squareLength ? StatusBar::system().thickness() : item.length();
    return length > 0 && length <= image->size().width;
}

QPixmap StatusIconPainter::paint(const StatusItem& item) const {
    QImage canvas(size_, size_, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const auto buttonShown = item.button();
    if (!buttonShown) {
        return QPixmap::fromImage(canvas);
    }
    const StatusBarButton& button = *buttonShown;
    QImage image;
    if (auto model = button.image(); model && button.imagePosition() != ImagePosition::noImage) {
        image = symbol(model->symbolName(), model->isTemplate());
    }
    const bool showsImage = !image.isNull();
    if (showsImage) {
        painter.drawImage((size_ - image.width()) / 2, (size_ - image.height()) / 2, image);
    }
    const QString title = QString::fromStdString(button.title());
    if (!title.isEmpty() && button.imagePosition() != ImagePosition::imageOnly && !clipsTitle(item)) {
        drawTitle(painter, title, showsImage);
    }
    painter.end();
    return QPixmap::fromImage(canvas);
}

} // namespace platform
