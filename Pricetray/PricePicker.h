#pragma once

#include "Pricetray/PriceData.h"
#include "Pricetray/Store.h"

#include "platform/views/Component.h"
#include "platform/views/ObservedObject.h"
#include "platform/views/View.h"

#include <memory>

namespace Pricetray {

// The price window's content: the form's price, title and category, then
// "Cancel" and "Save". Only "Save" changes the cart.
class PricePicker : public platform::Component {
public:
    static constexpr const char* pricePlaceholder = "Price e.g. $30.15";

    PricePicker(std::shared_ptr<Store> store, std::shared_ptr<PriceData> data);

    platform::View body() override;

    platform::ObservedObject<Store> store;
    platform::ObservedObject<PriceData> data;

private:
    void save();
};

} // namespace Pricetray
