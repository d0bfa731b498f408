#pragma once

#include "platform/views/Component.h"
#include "platform/views/View.h"

namespace Folderdock {

// The window group's placeholder; its window is closed at launch.
class ContentView : public platform::Component {
public:
    platform::View body() override;
};

} // namespace Folderdock
