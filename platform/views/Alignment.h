#pragma once

namespace platform {

enum class HorizontalAlignment { leading, center, trailing };
enum class VerticalAlignment { top, center, bottom, firstTextBaseline };

// Where views of different sizes line up in a stack or a frame.
struct Alignment {
    HorizontalAlignment horizontal = HorizontalAlignment::center;
    VerticalAlignment vertical = VerticalAlignment::center;

    static constexpr Alignment center() { return {}; }

    bool operator==(const Alignment&) const = default;
};

constexpr const char* alignmentName(HorizontalAlignment alignment) {
    switch (alignment) {
    case HorizontalAlignment::leading: return "leading";
    case HorizontalAlignment::center: return "center";
    case HorizontalAlignment::trailing: return "trailing";
    }
    return "center";
}

constexpr const char* alignmentName(VerticalAlignment alignment) {
    switch (alignment) {
    case VerticalAlignment::top: return "top";
    case VerticalAlignment::center: return "center";
    case VerticalAlignment::bottom: return "bottom";
    case VerticalAlignment::firstTextBaseline: return "firstTextBaseline";
    }
    return "center";
}

} // namespace platform
