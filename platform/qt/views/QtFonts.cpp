#include "platform/qt/views/QtFonts.h"

#include "platform/views/Font.h"

#include <QFontDatabase>

namespace platform {

namespace {

// Point sizes of the platform's text styles, against its 13-point body.
constexpr double bodyPoints = 13;

double stylePoints(Font::Style style) {
    switch (style) {
    case Font::Style::largeTitle: return 26;
    case Font::Style::title: return 22;
    case Font::Style::title2: return 17;
    case Font::Style::title3: return 15;
    case Font::Style::headline: return 13;
    case Font::Style::body: return 13;
    case Font::Style::callout: return 12;
    case Font::Style::caption: return 10;
    }
    return bodyPoints;
}

QFont::Weight weightOf(Font::Weight weight) {
    switch (weight) {
    case Font::Weight::regular: return QFont::Normal;
    case Font::Weight::medium: return QFont::Medium;
    case Font::Weight::semibold: return QFont::DemiBold;
    case Font::Weight::bold: return QFont::Bold;
    case Font::Weight::heavy: return QFont::Black;
    }
    return QFont::Normal;
}

} // namespace

QFont QtFonts::resolve(const Font& font, const QFont& base) {
    QFont resolved = font.design() == Font::Design::monospaced ? QFontDatabase::systemFont(QFontDatabase::FixedFont)
                                                               : base;
    if (font.design() == Font::Design::serif) {
        resolved.setStyleHint(QFont::Serif);
        resolved.setFamily(QStringLiteral("serif"));
    }
    const double baseSize = base.pointSizeF() > 0 ? base.pointSizeF() : 10;
    if (font.size()) {
        // Sizes given in points are the platform's points: scaled like the styles.
        resolved.setPointSizeF(*font.size() * baseSize / bodyPoints);
    } else if (font.style()) {
        resolved.setPointSizeF(stylePoints(*font.style()) * baseSize / bodyPoints);
    }
    Font::Weight weight = font.fontWeight();
    if (font.style() == Font::Style::headline && weight == Font::Weight::regular) {
        weight = Font::Weight::semibold;
    }
    resolved.setWeight(weightOf(weight));
    return resolved;
}

} // namespace platform
