#pragma once

#include "platform/views/Shape.h"
#include "platform/views/ViewModifier.h"

#include <memory>
#include <utility>

namespace platform {

// Only the part of the view inside the shape is drawn.
class ClipShapeModifier final : public ViewModifier {
public:
    explicit ClipShapeModifier(std::shared_ptr<const Shape> shape) : shape_(std::move(shape)) {}

    const std::shared_ptr<const Shape>& shape() const { return shape_; }

    std::string describe() const override { return ".clipShape(" + shape_->describe() + ")"; }

private:
    std::shared_ptr<const Shape> shape_;
};

} // namespace platform
