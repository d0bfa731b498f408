#pragma once

#include <optional>
#include <string>

namespace platform {

// A font as views ask for it: a text style of the system (title, body...) or
// a point size, with a weight and a design. Backends pick the actual face.
class Font {
public:
    enum class Style { largeTitle, title, title2, title3, headline, body, callout, caption };
    enum class Weight { regular, medium, semibold, bold, heavy };
    enum class Design { standard, rounded, monospaced, serif };

    static Font system(Style style, Design design = Design::standard) { return Font(style, std::nullopt, design); }
    static Font system(double size, Weight weight = Weight::regular, Design design = Design::standard) {
        Font font(std::nullopt, size, design);
        font.weight_ = weight;
        return font;
    }
    static Font title() { return system(Style::title); }
    static Font title3() { return system(Style::title3); }
    static Font body() { return system(Style::body); }

    Font weight(Weight weight) const {
        Font copy = *this;
        copy.weight_ = weight;
        return copy;
    }
    Font bold() const { return weight(Weight::bold); }
    // Digits of equal width, so counting numbers do not jitter.
    Font monospacedDigit() const {
        Font copy = *this;
        copy.monospacedDigit_ = true;
        return copy;
    }

    const std::optional<Style>& style() const { return style_; }
    const std::optional<double>& size() const { return size_; }
    Weight fontWeight() const { return weight_; }
    Design design() const { return design_; }
    bool hasMonospacedDigits() const { return monospacedDigit_; }

    // "title rounded bold", "system 24 semibold monospacedDigit".
    std::string describe() const;

    bool operator==(const Font&) const = default;

private:
    Font(std::optional<Style> style, std::optional<double> size, Design design)
        : style_(style), size_(size), design_(design) {}

    std::optional<Style> style_;
    std::optional<double> size_;
    Weight weight_ = Weight::regular;
    Design design_ = Design::standard;
    bool monospacedDigit_ = false;
};

} // namespace platform
