#pragma once

#include <QColor>
#include <QPalette>

namespace platform {

class Color;

// The platform's colours on the desktop: semantic ones (window background,
// labels, accent) from the desktop's palette, so they follow its light or
// dark scheme; the others as the values they carry.
class QtColors {
public:
    static QColor resolve(const Color& color, const QPalette& palette);
};

} // namespace platform
