#pragma once

#include "platform/appkit/Color.h"
#include "platform/views/Shape.h"
#include "platform/views/Transaction.h"
#include "platform/views/ViewNode.h"

#include <concepts>
#include <memory>
#include <optional>
#include <vector>

namespace platform {

// A shape drawn as a view, filled with a colour (the foreground colour of its
// environment when none is given). When a rebuild made inside withAnimation
// changes the shape's animatable data, the view shows the data moving from
// what it showed to the new values over the animation, on the process's clock.
class ShapeView : public View {
public:
    class Node final : public ViewNode {
    public:
        explicit Node(std::shared_ptr<const Shape> shape) : shape_(std::move(shape)) {}

        // The shape as last built (where an animation ends).
        const Shape& shape() const { return *shape_; }
        // The shape as shown at an uptime of the clock (now, by default).
        std::shared_ptr<const Shape> presentedShape() const;
        std::shared_ptr<const Shape> presentedShape(double uptime) const;
        bool isAnimating() const;

        const std::optional<Color>& fill() const { return fill_; }
        // The fill, or else the foreground colour around the view (the
        // platform's label colour when none is set).
        Color resolvedFill() const;
        void setFill(Color color) { fill_ = std::move(color); }

        std::string kind() const override { return "Shape"; }
        // The shape as shown now, its fill, and whether it is moving.
        std::string summary() const override;

    protected:
        void adopt(ViewNode& previous, const std::optional<AnimationStart>& animation) override;

    private:
        struct Motion {
            std::vector<double> from;
            std::vector<double> to;
            AnimationStart start;
        };
        std::vector<double> presentedData(double uptime) const;

        std::shared_ptr<const Shape> shape_;
        std::optional<Color> fill_;
        std::optional<Motion> motion_;
    };

    explicit ShapeView(std::shared_ptr<const Shape> shape) : View(std::make_shared<Node>(std::move(shape))) {}
    template <typename ShapeType>
        requires std::derived_from<ShapeType, Shape>
    explicit ShapeView(ShapeType shape)
        : ShapeView(std::shared_ptr<const Shape>(std::make_shared<ShapeType>(std::move(shape)))) {}

    ShapeView fill(Color color) const {
        static_cast<Node&>(node()).setFill(std::move(color));
        return *this;
    }
};

} // namespace platform
