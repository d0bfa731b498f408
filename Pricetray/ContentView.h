#pragma once

#include "platform/views/Component.h"
#include "platform/views/View.h"

namespace Pricetray {

// The window group's placeholder; its window is closed at launch.
class ContentView : public platform::Component {
public:
    platform::View body() override;
};

} // namespace Pricetray
