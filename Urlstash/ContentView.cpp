#include "Urlstash/ContentView.h"

#include "platform/views/Text.h"

namespace Urlstash {

platform::View ContentView::body() { return platform::Text("Hello, world!").padding(); }

} // namespace Urlstash
