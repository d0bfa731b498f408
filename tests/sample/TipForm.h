#pragma once

#include "platform/appkit/Application.h"
#include "platform/appkit/Window.h"
#include "platform/time/Locale.h"
#include "platform/time/NumberFormatter.h"
#include "platform/views/Button.h"
#include "platform/views/Component.h"
#include "platform/views/ShapeView.h"
#include "platform/views/Stack.h"
#include "platform/views/State.h"
#include "platform/views/Text.h"
#include "platform/views/TextField.h"
#include "platform/views/Transaction.h"
#include "tests/sample/FillBar.h"

#include <memory>

namespace sample {

// The tip window: an amount in US dollars, echoed below the field once the
// formatter reads it, and a bar that fills over 20 seconds from the moment
// the window shows. Escape closes it.
class TipForm : public platform::Component {
public:
    TipForm() {
        currency_->numberStyle = platform::NumberFormatter::Style::currency;
        currency_->locale = platform::Locale("en_US");
    }

    platform::View body() override {
        return platform::VStack{
            platform::TextField("Tip e.g. $2.50", tip_.binding(), currency_),
            platform::Text("Tip: " + currency_->string(tip_).value_or("?")),
            platform::ShapeView(FillBar(filled_ ? 1 : 0)).fill(platform::Color::systemBlue()),
            platform::Button("Close",
                             [] {
                                 if (auto window = platform::Application::shared().keyWindow()) {
                                     window->close();
                                 }
                             })
                .keyboardShortcut(platform::KeyboardShortcut::cancelAction()),
        }
            .onAppear([this] { platform::withAnimation(platform::Animation::linear(20), [this] { filled_ = true; }); });
    }

private:
    platform::State<double> tip_{this, 0};
    platform::State<bool> filled_{this, false};
    std::shared_ptr<platform::NumberFormatter> currency_ = std::make_shared<platform::NumberFormatter>();
};

} // namespace sample
