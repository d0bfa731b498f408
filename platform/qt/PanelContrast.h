#pragma once

#include <QColor>

namespace platform {

// Which colour a symbol stands out in against a panel, by the contrast ratio
// of the accessibility guidelines for graphics (at least 3:1 for non-text).
class PanelContrast {
public:
    // A light panel's and a dark panel's text colour, as desktop themes have them.
    static const QColor darkSymbol;
    static const QColor lightSymbol;
    // The guidelines' least ratio for graphics.
    static constexpr double minimumRatio = 3.0;

    // The guidelines' relative luminance, from 0 (black) to 1 (white).
    static double relativeLuminance(const QColor& colour);
    // From 1 (the same) to 21 (black on white).
    static double contrastRatio(const QColor& first, const QColor& second);
    // The symbol colour, dark or light, that stands out more against `background`.
    static QColor symbolOn(const QColor& background);
};

} // namespace platform
