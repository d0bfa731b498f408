#include "platform/qt/views/SliderWidget.h"

#include "platform/views/Slider.h"

#include <QSignalBlocker>

#include <cmath>

namespace platform {

namespace {

// Positions along a slider without steps of its own.
constexpr int fineSteps = 1000;

int stepsOf(const Slider::Node& slider) {
    const double span = slider.upperBound() - slider.lowerBound();
    if (slider.step() && *slider.step() > 0 && span > 0) {
        return std::max(1, static_cast<int>(std::lround(span / *slider.step())));
    }
    return fineSteps;
}

double valueAt(const Slider::Node& slider, int position) {
    const double span = slider.upperBound() - slider.lowerBound();
    return slider.lowerBound() + span * position / stepsOf(slider);
}

int positionOf(const Slider::Node& slider, double value) {
    const double span = slider.upperBound() - slider.lowerBound();
    if (!(span > 0) || !std::isfinite(value)) {
        return 0;
    }
    return static_cast<int>(std::lround((value - slider.lowerBound()) / span * stepsOf(slider)));
}

} // namespace

SliderWidget::SliderWidget(QWidget* parent, UserAction act) : QSlider(Qt::Horizontal, parent), act_(std::move(act)) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(this, &QSlider::valueChanged, this, &SliderWidget::moved);
}

void SliderWidget::sync(ViewNode& slider) {
    slider_ = slider.shared_from_this();
    auto& node = static_cast<Slider::Node&>(slider);
    const QSignalBlocker quiet(this);
    setRange(0, stepsOf(node));
    setValue(positionOf(node, node.value()));
    setEnabled(node.isEnabled());
}

void SliderWidget::moved(int position) {
    auto keep = slider_.lock();
    if (!keep) {
        return;
    }
    auto* node = static_cast<Slider::Node*>(keep.get());
    const double value = valueAt(*node, position);
    act_(userEvent(EventType::leftMouseUp), [node, value] { node->setValue(value); });
}

} // namespace platform
