#pragma once

#include "platform/appkit/ViewController.h"
#include "platform/appkit/Window.h"

#include <string>

namespace sample {

// Window content that only names itself, standing in for a view tree.
class SampleContent : public platform::ViewController {
public:
    explicit SampleContent(std::string text) : text_(std::move(text)) {}

    std::string describe() const override { return "text \"" + text_ + "\""; }
    platform::Size preferredContentSize() const override { return {200, 100}; }

    bool keyDown(const platform::Event& event) override {
        if (event.keyCode != platform::KeyCode::escape) {
            return false;
        }
        if (auto window = this->window()) {
            window->close();
        }
        return true;
    }

private:
    std::string text_;
};

} // namespace sample
