#pragma once

namespace platform {

// Which edges a padding applies to.
enum class Edges : unsigned {
    top = 1,
    leading = 2,
    bottom = 4,
    trailing = 8,
    horizontal = leading | trailing,
    vertical = top | bottom,
    all = top | leading | bottom | trailing,
};

constexpr bool contains(Edges set, Edges edge) {
    return (static_cast<unsigned>(set) & static_cast<unsigned>(edge)) == static_cast<unsigned>(edge);
}

// Distances in points from each edge.
struct EdgeInsets {
    // The platform's standard inset when a view asks for padding without a length.
    static constexpr double standard = 16;

    double top = 0;
    double leading = 0;
    double bottom = 0;
    double trailing = 0;

    static constexpr EdgeInsets uniform(double length) { return {length, length, length, length}; }
    static constexpr EdgeInsets on(Edges edges, double length) {
        return {contains(edges, Edges::top) ? length : 0, contains(edges, Edges::leading) ? length : 0,
                contains(edges, Edges::bottom) ? length : 0, contains(edges, Edges::trailing) ? length : 0};
    }

    bool operator==(const EdgeInsets&) const = default;
};

} // namespace platform
