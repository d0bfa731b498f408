#include "platform/foundation/Lz4Block.h"

#include <algorithm>
#include <cstdint>

namespace platform {

namespace {

// Mozilla's files are small; a header announcing more is taken as damage
// rather than a reason to allocate.
constexpr std::size_t largestMozLz4 = 256u << 20;

// A length that goes on in further bytes of 255 while they last.
bool extendLength(std::string_view block, std::size_t& at, std::size_t& length) {
    while (true) {
        if (at >= block.size()) {
            return false;
        }
        const auto more = static_cast<unsigned char>(block[at++]);
        length += more;
        if (more != 255) {
            return true;
        }
    }
}

} // namespace

std::optional<std::string> decodeLz4Block(std::string_view block, std::size_t decodedSize) {
    std::string out;
    // A block grows at most 255-fold: a header announcing more is not believed.
    out.reserve(std::min(decodedSize, 255 * block.size()));
    std::size_t at = 0;
    while (at < block.size()) {
        const auto token = static_cast<unsigned char>(block[at++]);
        std::size_t literals = token >> 4;
        if (literals == 15 && !extendLength(block, at, literals)) {
            return std::nullopt;
        }
        if (literals > block.size() - at || literals > decodedSize - out.size()) {
            return std::nullopt;
        }
        out.append(block.substr(at, literals));
        at += literals;
        // The last sequence has literals only.
        if (at == block.size()) {
            break;
        }
        if (block.size() - at < 2) {
            return std::nullopt;
        }
        const std::size_t offset = static_cast<unsigned char>(block[at]) |
                                   static_cast<std::size_t>(static_cast<unsigned char>(block[at + 1])) << 8;
        at += 2;
        std::size_t match = token & 15;
        if (match == 15 && !extendLength(block, at, match)) {
            return std::nullopt;
        }
        match += 4;
        if (offset == 0 || offset > out.size() || match > decodedSize - out.size()) {
            return std::nullopt;
        }
        // The copy may overlap what it writes (a run): byte by byte.
        std::size_t from = out.size() - offset;
        for (std::size_t i = 0; i < match; ++i) {
            out.push_back(out[from + i]);
        }
    }
    if (out.size() != decodedSize) {
        return std::nullopt;
    }
    return out;
}

std::optional<std::string> decodeMozLz4(std::string_view file) {
    constexpr std::string_view magic("mozLz40\0", 8);
    if (file.size() < magic.size() + 4 || file.substr(0, magic.size()) != magic) {
        return std::nullopt;
    }
    std::uint32_t size = 0;
    for (int i = 3; i >= 0; --i) {
        size = size << 8 | static_cast<unsigned char>(file[magic.size() + static_cast<std::size_t>(i)]);
    }
    if (size > largestMozLz4) {
        return std::nullopt;
    }
    return decodeLz4Block(file.substr(magic.size() + 4), size);
}

} // namespace platform
