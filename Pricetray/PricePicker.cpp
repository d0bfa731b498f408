#include "Pricetray/PricePicker.h"

#include "Pricetray/CurrencyFormatter.h"

#include "platform/appkit/Application.h"
#include "platform/appkit/Window.h"
#include "platform/foundation/DebugLine.h"
#include "platform/views/Button.h"
#include "platform/views/KeyboardShortcut.h"
#include "platform/views/Spacer.h"
#include "platform/views/Stack.h"
#include "platform/views/Text.h"
#include "platform/views/TextField.h"
#include "platform/views/ViewGraph.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace Pricetray {

namespace {

// The price field's reading of its text: a price as parsePrice reads it.
// Text it cannot read is noted on the form, so the window can say the price
// was not taken instead of keeping a price the user did not mean.
class PriceFieldFormat {
public:
    explicit PriceFieldFormat(std::shared_ptr<PriceData> form) : form_(std::move(form)) {}

    std::optional<std::string> string(double price) const { return currencyFormatter().string(price); }

    std::optional<double> number(std::string_view text) const {
        auto price = parsePrice(text);
        form_->rejectedPrice = price ? std::nullopt : std::optional<std::string>(text);
        return price;
    }

private:
    std::shared_ptr<PriceData> form_;
};

void closeKeyWindow() {
    if (auto window = platform::Application::shared().keyWindow()) {
        window->close();
    }
}

} // namespace

PricePicker::PricePicker(std::shared_ptr<Store> store, std::shared_ptr<PriceData> data)
    : store(this, std::move(store)), data(this, std::move(data)) {}

platform::View PricePicker::body() {
    const auto& rejected = data->rejectedPrice.get();
    std::vector<platform::View> rows{platform::TextField(pricePlaceholder, data.binding(&PriceData::price),
                                                         std::make_shared<PriceFieldFormat>(data.get()))};
    if (rejected) {
        rows.push_back(platform::Text("The price " + platform::debugDescription(*rejected) + " was not taken.")
                           .id("rejectedPrice"));
    }
    rows.push_back(platform::TextField("Title", data.binding(&PriceData::title)));
    rows.push_back(platform::TextField("Category", data.binding(&PriceData::category)));
    // Save stays enabled while a typed price was refused: a corrected price
    // still being typed is read when Save is pressed, and save() files nothing
    // while the price is refused.
    // Escape cancels and Return saves, as in the desktop's dialogs.
    rows.push_back(platform::HStack{
        platform::Spacer(),
        platform::Button("Cancel", closeKeyWindow).keyboardShortcut(platform::KeyboardShortcut::cancelAction()),
        platform::Button("Save", [this] { save(); }).keyboardShortcut(platform::KeyboardShortcut::defaultAction())});
    return platform::VStack(std::move(rows)).padding();
}

void PricePicker::save() {
    // Text still being typed counts, as it would once the field lost the focus.
    if (auto* views = graph()) {
        views->endEditing();
    }
    if (data->rejectedPrice.get()) {
        return;
    }
    store->addItem(*data);
    store->save();
    closeKeyWindow();
}

} // namespace Pricetray
