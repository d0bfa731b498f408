#pragma once

#include <string>

namespace platform {

// A colour as the platform names it. Semantic colours (window background,
// text background, secondary label, accent) carry only their name: each
// backend resolves them for its appearance. Literal colours carry sRGB
// components in 0...1.
class Color {
public:
    static Color named(std::string name) { return Color(std::move(name), 0, 0, 0, 1); }
    static Color sRGB(double red, double green, double blue, double alpha = 1.0) {
        return Color({}, red, green, blue, alpha);
    }

    static Color clear() { return Color("clear", 0, 0, 0, 0); }
    static Color white() { return Color("white", 1, 1, 1, 1); }
    static Color black() { return Color("black", 0, 0, 0, 1); }
    static Color windowBackground() { return named("windowBackgroundColor"); }
    static Color textBackground() { return named("textBackgroundColor"); }
    // What declarative views name: secondary text, the user's accent colour,
    // and the system's blue and grey.
    static Color secondary() { return named("secondaryLabelColor"); }
    static Color accent() { return named("controlAccentColor"); }
    static Color systemBlue() { return named("systemBlue"); }
    static Color systemGray() { return named("systemGray"); }

    const std::string& name() const { return name_; }
    bool isNamed() const { return !name_.empty(); }
    double red() const { return red_; }
    double green() const { return green_; }
    double blue() const { return blue_; }
    double alpha() const { return alpha_; }

    Color withAlpha(double alpha) const {
        Color copy = *this;
        copy.alpha_ = alpha;
        return copy;
    }

    // "windowBackgroundColor", "white", or "sRGB(1, 0.5, 0, 0.33)".
    std::string describe() const;

    bool operator==(const Color&) const = default;

private:
    Color(std::string name, double red, double green, double blue, double alpha)
        : name_(std::move(name)), red_(red), green_(green), blue_(blue), alpha_(alpha) {}

    std::string name_;
    double red_;
    double green_;
    double blue_;
    double alpha_;
};

} // namespace platform
