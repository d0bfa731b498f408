#pragma once

#include "platform/foundation/URL.h"

#include <iostream>

namespace Folderdock {

// How far the diagnostic listing goes, so that a large folder (a whole home
// folder) does not hold up the program for long.
struct ApplicationLogLimits {
    // Subfolders this many levels below the folder are listed; deeper ones not.
    int maxDepth = 6;
    // Lines of URLs, folders and applications together.
    int maxLines = 1000;
};

// Writes the folder's URL, then the URL of each application in it and,
// after a subfolder's place, that subfolder's listing the same way; one URL
// a line, in listing order. When a limit cut it short, a last line says so.
void logApplications(const platform::URL& folder, std::ostream& out = std::cout, ApplicationLogLimits limits = {});

} // namespace Folderdock
