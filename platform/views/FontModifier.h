#pragma once

#include "platform/views/Font.h"
#include "platform/views/ViewModifier.h"

#include <utility>

namespace platform {

// The font of the texts inside the view.
class FontModifier final : public ViewModifier {
public:
    explicit FontModifier(Font font) : font_(std::move(font)) {}

    const Font& font() const { return font_; }

    std::string describe() const override;
    bool isInherited() const override { return true; }

private:
    Font font_;
};

} // namespace platform
