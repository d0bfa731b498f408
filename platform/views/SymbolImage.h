#pragma once

#include "platform/views/ViewNode.h"

#include <string>

namespace platform {

// One of the system's symbol images, by name, drawn in the foreground colour.
class SymbolImage : public View {
public:
    class Node final : public ViewNode {
    public:
        explicit Node(std::string systemName) : systemName_(std::move(systemName)) {}

        const std::string& systemName() const { return systemName_; }
        // An unknown name shows nothing, as the platform's images do.
        bool exists() const;

        std::string kind() const override { return "Image"; }
        std::string summary() const override;
        std::vector<std::string> searchTexts() const override { return {systemName_}; }

    private:
        std::string systemName_;
    };

    explicit SymbolImage(std::string systemName) : View(std::make_shared<Node>(std::move(systemName))) {}
};

} // namespace platform
