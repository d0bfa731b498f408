#include "platform/qt/views/QtColors.h"

#include "platform/appkit/Color.h"

namespace platform {

namespace {

bool isDark(const QPalette& palette) { return palette.color(QPalette::Window).lightness() < 128; }

} // namespace

QColor QtColors::resolve(const Color& color, const QPalette& palette) {
    const std::string& name = color.name();
    if (name == "windowBackgroundColor") {
        return palette.color(QPalette::Window);
    }
    if (name == "textBackgroundColor") {
        return palette.color(QPalette::Base);
    }
    if (name == "labelColor") {
        return palette.color(QPalette::WindowText);
    }
    if (name == "secondaryLabelColor") {
        QColor text = palette.color(QPalette::WindowText);
        text.setAlphaF(0.55f);
        return text;
    }
    if (name == "controlAccentColor") {
        return palette.color(QPalette::Highlight);
    }
    // The platform's system colours differ a little between its light and dark appearances.
    if (name == "systemBlue") {
        return isDark(palette) ? QColor(10, 132, 255) : QColor(0, 122, 255);
    }
    if (name == "systemGray") {
        return isDark(palette) ? QColor(152, 152, 157) : QColor(142, 142, 147);
    }
    return QColor::fromRgbF(static_cast<float>(color.red()), static_cast<float>(color.green()),
                            static_cast<float>(color.blue()), static_cast<float>(color.alpha()));
}

} // namespace platform
