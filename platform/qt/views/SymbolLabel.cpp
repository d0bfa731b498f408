#include "platform/qt/views/SymbolLabel.h"

#include "platform/qt/StatusIconPainter.h"
#include "platform/views/SymbolImage.h"

#include <QFontMetrics>

namespace platform {

SymbolLabel::SymbolLabel(QWidget* parent) : QLabel(parent) { setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed); }

void SymbolLabel::sync(const ViewNode& image) {
    const std::string& name = static_cast<const SymbolImage::Node&>(image).systemName();
    const QColor color = palette().color(QPalette::WindowText);
    const int size = QFontMetrics(font()).height();
    if (!pixmap().isNull() && name == name_ && color == color_ && size == size_) {
        return;
    }
    name_ = name;
    color_ = color;
    size_ = size;
    setPixmap(QPixmap::fromImage(StatusIconPainter(color, size).symbol(name, true)));
}

} // namespace platform
