#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The LZ4 block format (no frame), as programs that keep their state
// compressed write it; and Mozilla's wrapping of one block ("mozLz40\0", the
// decoded size as 32 bits little-endian, the block), which the browser's
// session store uses. The input is another program's file: anything that
// does not decode to exactly the size announced is refused.
std::optional<std::string> decodeLz4Block(std::string_view block, std::size_t decodedSize);
std::optional<std::string> decodeMozLz4(std::string_view file);

} // namespace platform
