#pragma once

#include <string>

namespace platform {

// A number as listings show it: integers without a fraction, others with up
// to six significant digits ("16", "0.33", "-3.14159").
std::string numberText(double value);

} // namespace platform
