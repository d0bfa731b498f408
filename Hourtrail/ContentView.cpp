#include "Hourtrail/ContentView.h"

#include "platform/views/Text.h"

namespace Hourtrail {

platform::View ContentView::body() { return platform::Text("Hello, world!").padding(); }

} // namespace Hourtrail
