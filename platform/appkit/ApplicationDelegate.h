#pragma once

#include <vector>

namespace platform {

class URL;

// What the application tells its delegate, in the order it happens.
// Every call has a default, so a delegate implements only what it needs.
class ApplicationDelegate {
public:
    virtual ~ApplicationDelegate() = default;

    virtual void applicationWillFinishLaunching() {}
    virtual void applicationDidFinishLaunching() {}
    virtual void applicationWillBecomeActive() {}
    virtual void applicationDidBecomeActive() {}
    virtual void applicationWillResignActive() {}
    virtual void applicationDidResignActive() {}
    virtual void applicationWillTerminate() {}
    // URLs of the program's own schemes, opened by it or by others.
    virtual void applicationOpenURLs(const std::vector<URL>&) {}
};

} // namespace platform
