#include "platform/qt/PanelContrast.h"

#include <algorithm>
#include <cmath>

namespace platform {

const QColor PanelContrast::darkSymbol(0x23, 0x26, 0x29);
const QColor PanelContrast::lightSymbol(0xef, 0xf0, 0xf1);

double PanelContrast::relativeLuminance(const QColor& colour) {
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

double PanelContrast::contrastRatio(const QColor& first, const QColor& second) {
    const double a = relativeLuminance(first);
    const double b = relativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor PanelContrast::symbolOn(const QColor& background) {
    return contrastRatio(darkSymbol, background) >= contrastRatio(lightSymbol, background) ? darkSymbol : lightSymbol;
}

} // namespace platform
