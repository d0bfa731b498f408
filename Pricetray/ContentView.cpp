#include "Pricetray/ContentView.h"

#include "platform/views/Text.h"

namespace Pricetray {

platform::View ContentView::body() { return platform::Text("Hello, world!").padding(); }

} // namespace Pricetray
