#pragma once

#include "platform/appkit/App.h"
#include "platform/views/HostedContent.h"
#include "tests/sample/SampleContent.h"
#include "tests/sample/SampleDelegate.h"
#include "tests/sample/TipForm.h"

namespace sample {

class SampleApp : public platform::App {
public:
    using Delegate = SampleDelegate;
    static constexpr const char* bundleIdentifier = "dev.menulets.Sample";

    std::vector<platform::Scene> body() override {
        return {
            platform::WindowGroup([] { return std::make_shared<SampleContent>("Hello, world!"); }),
            platform::WindowGroup("Tip", platform::hostedContent([] { return platform::View::make<TipForm>(); }))
                .handlesExternalEvents({"tip"}),
            platform::WindowGroup("Reminder", [] { return std::make_shared<SampleContent>("Reminder"); })
                .handlesExternalEvents({"*"}),
            platform::Settings([] { return std::make_shared<SampleContent>("Settings"); }),
        };
    }

    std::vector<std::string> urlSchemes() const override { return {"sample"}; }
};

} // namespace sample
