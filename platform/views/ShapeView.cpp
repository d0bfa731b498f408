#include "platform/views/ShapeView.h"

#include "platform/runloop/Clock.h"
#include "platform/views/ForegroundColorModifier.h"

namespace platform {

std::vector<double> ShapeView::Node::presentedData(double uptime) const {
    if (!motion_) {
        return shape_->animatableData();
    }
    double progress = motion_->start.animation.progress(uptime - motion_->start.startUptime);
    std::vector<double> data(motion_->to.size());
    for (std::size_t i = 0; i < data.size(); ++i) {
        data[i] = motion_->from[i] + (motion_->to[i] - motion_->from[i]) * progress;
    }
    return data;
}

std::shared_ptr<const Shape> ShapeView::Node::presentedShape() const {
    return presentedShape(Clock::current().uptime());
}

std::shared_ptr<const Shape> ShapeView::Node::presentedShape(double uptime) const {
    if (!motion_) {
        return shape_;
    }
    auto shown = shape_->copy();
    shown->setAnimatableData(presentedData(uptime));
    return shown;
}

bool ShapeView::Node::isAnimating() const {
    if (!motion_) {
        return false;
    }
    double elapsed = Clock::current().uptime() - motion_->start.startUptime;
    return motion_->start.animation.progress(elapsed) < 1.0;
}

Color ShapeView::Node::resolvedFill() const {
    if (fill_) {
        return *fill_;
    }
    auto foreground = environment<ForegroundColorModifier>();
    return foreground ? foreground->color() : Color::named("labelColor");
}

std::string ShapeView::Node::summary() const {
    std::string line = presentedShape()->describe();
    if (fill_) {
        line += " fill=" + fill_->describe();
    }
    return isAnimating() ? line + " animating" : line;
}

void ShapeView::Node::adopt(ViewNode& previous, const std::optional<AnimationStart>& animation) {
    auto& before = static_cast<Node&>(previous);
    auto target = shape_->animatableData();
    if (target == before.shape_->animatableData()) {
        // Same destination: a motion under way goes on.
        motion_ = before.motion_;
        return;
    }
    if (!animation) {
        return;
    }
    auto shown = before.presentedData(Clock::current().uptime());
    if (shown.size() == target.size()) {
        motion_ = Motion{std::move(shown), std::move(target), *animation};
    }
}

} // namespace platform
