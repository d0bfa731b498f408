#include "Folderdock/ContentView.h"

#include "platform/views/Text.h"

namespace Folderdock {

platform::View ContentView::body() { return platform::Text("Hello, world!").padding(); }

} // namespace Folderdock
