#pragma once

#include "platform/appkit/Geometry.h"

#include <memory>
#include <string>
#include <vector>

namespace platform {

// An image; in this platform layer only the system's symbol images, named
// as the platform names them.
class Image {
public:
    // A new image of the named symbol; null for an unknown or empty name.
    static std::shared_ptr<Image> systemSymbol(const std::string& name, const std::string& accessibilityDescription);
    static bool isKnownSymbol(const std::string& name);
    static const std::vector<std::string>& symbolNames();

    const std::string& symbolName() const { return symbolName_; }
    const std::string& accessibilityDescription() const { return accessibilityDescription_; }
    void setAccessibilityDescription(std::string description) { accessibilityDescription_ = std::move(description); }
    Size size() const { return size_; }
    void setSize(Size size) { size_ = size; }
    // A template image is drawn in the colour of its surroundings
    // (the menu bar's, in a status item).
    bool isTemplate() const { return template_; }
    void setTemplate(bool isTemplate) { template_ = isTemplate; }

    // "cart 22x22 template", for listings.
    std::string describe() const;

private:
    Image(std::string symbolName, std::string accessibilityDescription, Size size)
        : symbolName_(std::move(symbolName)), accessibilityDescription_(std::move(accessibilityDescription)),
          size_(size) {}

    std::string symbolName_;
    std::string accessibilityDescription_;
    Size size_;
    // Symbol images are templates from the start.
    bool template_ = true;
};

} // namespace platform
