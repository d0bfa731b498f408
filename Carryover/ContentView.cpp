#include "Carryover/ContentView.h"

#include "platform/views/Text.h"

namespace Carryover {

platform::View ContentView::body() { return platform::Text("Hello, world!").padding(); }

} // namespace Carryover
