#pragma once

#include "platform/qt/views/UserAction.h"

#include <QSlider>

#include <memory>

namespace platform {

class ViewNode;

// A slider's track and knob. Qt's sliders count in whole steps, so the
// range is cut into the slider's own steps, or finely when it has none;
// each move of the knob sets the slider's value as a drag does.
class SliderWidget final : public QSlider {
public:
    SliderWidget(QWidget* parent, UserAction act);

    void sync(ViewNode& slider);

private:
    void moved(int position);

    UserAction act_;
    std::weak_ptr<ViewNode> slider_;
};

} // namespace platform
