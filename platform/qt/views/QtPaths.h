#pragma once

#include "platform/appkit/Geometry.h"

#include <QPainterPath>
#include <QRect>

namespace platform {

class Path;

// The platform's paths as Qt draws them. Both have y growing downwards; the
// platform's arcs are given by angles and a direction, Qt's by a start and a
// sweep measured the other way round.
class QtPaths {
public:
    static QPainterPath painterPath(const Path& path);
    static Rect rectOf(const QRect& rect);
};

} // namespace platform
