#pragma once

#include <QFont>

namespace platform {

class Font;

// The platform's fonts on the desktop. Text styles keep the platform's
// proportions to its body size, measured from the desktop's own font, so
// a title is as much larger than body text as it is there. Qt 6.4 cannot
// ask a face for its tabular digits, so monospaced digits are the face's own.
class QtFonts {
public:
    static QFont resolve(const Font& font, const QFont& base);
};

} // namespace platform
