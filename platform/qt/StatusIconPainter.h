#pragma once

#include <QColor>
#include <QPixmap>

#include <string>

namespace platform {

class StatusItem;

// Draws what a status item's button shows into one square tray pixmap,
// since tray panels show no text beside icons: the symbol image from the
// bundled icons (a template drawn in the panel's text colour), and the
// title, alone when there is no image and as a badge in the corner when
// there is (a count beside an icon). An item of a fixed length no wider
// than its image shows the image alone: the bar clips the title there.
class StatusIconPainter {
public:
    StatusIconPainter(QColor textColor, int size) : textColor_(textColor), size_(size) {}

    QPixmap paint(const StatusItem& item) const;
    // Whether the item's length leaves no room for a title beside its image.
    static bool clipsTitle(const StatusItem& item);
    // The bundled icon of a symbol, fitted into the square; null for a
    // name without one.
    QImage symbol(const std::string& name, bool isTemplate) const;

    // The resource path of a symbol's icon.
    static QString iconPath(const std::string& symbolName);

private:
    void drawTitle(QPainter& painter, const QString& title, bool asBadge) const;
    // The glyphs over a rim of the symbol colour around them.
    QImage rimmed(const QImage& glyphs) const;
    int rimWidth() const;

    QColor textColor_;
    int size_;
};

} // namespace platform
