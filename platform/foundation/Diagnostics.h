#pragma once

#include <functional>
#include <string>

namespace platform {

// Where the platform's messages for the person go (a save that failed, a bad
// file moved aside): each one line, said whole, from any thread. By default
// standard error; a console that runs installs its own sink, so that such a
// line never lands in the middle of one of its own and, in JSON mode, is JSON.
class Diagnostics {
public:
    using Sink = std::function<void(const std::string& line)>;

    // `line` without its newline.
    static void say(const std::string& line);
    // Nothing restores standard error. The sink is called under a lock, one
    // line at a time.
    static void setSink(Sink sink);
};

} // namespace platform
