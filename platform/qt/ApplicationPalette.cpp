#include "platform/qt/ApplicationPalette.h"

#include <QApplication>

namespace platform {

std::optional<QPalette> ApplicationPalette::themePalette_;

bool ApplicationPalette::isDark(const QPalette& palette) { return palette.color(QPalette::Window).lightness() < 128; }

QPalette ApplicationPalette::dark() {
    // Fields and lists a little lighter than the window: Qt's styles draw a
    // field's frame darker than the window, which then still shows around it.
    const QColor window(40, 40, 43);
    const QColor base(54, 54, 58);
    const QColor text(232, 232, 232);
    const QColor disabledText(128, 128, 128);
    const QColor accent(28, 95, 180);
    QPalette palette(window);
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, window);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::PlaceholderText, QColor(150, 150, 150));
    palette.setColor(QPalette::Button, QColor(64, 64, 68));
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::ToolTipBase, base);
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::Highlight, accent);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, QColor(120, 174, 237));
    palette.setColor(QPalette::BrightText, QColor(255, 110, 110));
    palette.setColor(QPalette::Light, QColor(75, 75, 80));
    palette.setColor(QPalette::Midlight, QColor(62, 62, 66));
    palette.setColor(QPalette::Mid, QColor(38, 38, 40));
    palette.setColor(QPalette::Dark, QColor(22, 22, 24));
    palette.setColor(QPalette::Shadow, Qt::black);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, role, disabledText);
    }
    return palette;
}

void ApplicationPalette::follow(bool wantDark) {
    if (!themePalette_) {
        themePalette_ = QApplication::palette();
    }
    // A theme that is dark already (Breeze Dark, Adwaita-dark) keeps its own colours.
    const QPalette wanted = wantDark && !isDark(*themePalette_) ? dark() : *themePalette_;
    if (QApplication::palette() != wanted) {
        QApplication::setPalette(wanted);
    }
}

} // namespace platform
