#pragma once

#include "platform/views/ViewNode.h"

#include <string>

namespace platform {

// A line of text, drawn in the font and foreground colour of its environment.
class Text : public View {
public:
    class Node final : public ViewNode {
    public:
        explicit Node(std::string content) : content_(std::move(content)) {}

        const std::string& content() const { return content_; }

        std::string kind() const override { return "Text"; }
        std::string summary() const override;
        std::vector<std::string> searchTexts() const override { return {content_}; }

    private:
        std::string content_;
    };

    explicit Text(std::string content) : View(std::make_shared<Node>(std::move(content))) {}
};

} // namespace platform
