#pragma once

namespace platform {

// How a publisher ends. The programs' publishers never fail, so finishing is the
// only way.
enum class Completion { finished };

} // namespace platform
