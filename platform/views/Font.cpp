#include "platform/views/Font.h"

#include <sstream>

namespace platform {

namespace {

const char* styleName(Font::Style style) {
    switch (style) {
    case Font::Style::largeTitle: return "largeTitle";
    case Font::Style::title: return "title";
    case Font::Style::title2: return "title2";
    case Font::Style::title3: return "title3";
    case Font::Style::headline: return "headline";
    case Font::Style::body: return "body";
    case Font::Style::callout: return "callout";
    case Font::Style::caption: return "caption";
    }
    return "body";
}

const char* weightName(Font::Weight weight) {
    switch (weight) {
    case Font::Weight::regular: return "regular";
    case Font::Weight::medium: return "medium";
    case Font::Weight::semibold: return "semibold";
    case Font::Weight::bold: return "bold";
    case Font::Weight::heavy: return "heavy";
    }
    return "regular";
}

const char* designName(Font::Design design) {
    switch (design) {
    case Font::Design::standard: return "";
    case Font::Design::rounded: return "rounded";
    case Font::Design::monospaced: return "monospaced";
    case Font::Design::serif: return "serif";
    }
    return "";
}

} // namespace

std::string Font::describe() const {
    std::ostringstream out;
    if (style_) {
        out << styleName(*style_);
    } else {
        out << "system " << size_.value_or(13);
    }
    if (design_ != Design::standard) {
        out << ' ' << designName(design_);
    }
    // A sized font always names its weight; a text style only when it differs.
    if (weight_ != Weight::regular || !style_) {
        out << ' ' << weightName(weight_);
    }
    if (monospacedDigit_) {
        out << " monospacedDigit";
    }
    return out.str();
}

} // namespace platform
