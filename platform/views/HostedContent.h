#pragma once

#include "platform/appkit/Scene.h"
#include "platform/views/View.h"

#include <functional>

namespace platform {

// The content of a scene's windows as a declarative view: each new window
// gets a hosting controller of a freshly made view.
//
//     platform::WindowGroup(platform::hostedContent([] { return platform::Text("Hello, world!").padding(); }))
SceneContent hostedContent(std::function<View()> makeView);

} // namespace platform
