#include "platform/views/SymbolImage.h"

#include "platform/appkit/Image.h"
#include "platform/foundation/DebugLine.h"

namespace platform {

bool SymbolImage::Node::exists() const {
    return Image::isKnownSymbol(systemName_);
}

std::string SymbolImage::Node::summary() const {
    return debugDescription(systemName_) + (exists() ? "" : " (no such symbol)");
}

} // namespace platform
