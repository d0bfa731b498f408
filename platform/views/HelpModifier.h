#pragma once

#include "platform/views/ViewModifier.h"

#include <string>
#include <utility>

namespace platform {

// The tooltip shown when the pointer rests on the view.
class HelpModifier final : public ViewModifier {
public:
    explicit HelpModifier(std::string text) : text_(std::move(text)) {}

    const std::string& text() const { return text_; }

    std::string describe() const override;

private:
    std::string text_;
};

} // namespace platform
