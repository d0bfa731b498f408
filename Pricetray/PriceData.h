#pragma once

#include "Pricetray/CartItem.h"

#include "platform/combine/ObservableObject.h"
#include "platform/combine/Published.h"
#include "platform/foundation/URL.h"

#include <memory>
#include <optional>
#include <string>

namespace Pricetray {

// The price window's form for one link. The window edits the observed
// fields; the link itself is fixed for the life of the form.
class PriceData : public platform::ObservableObject {
public:
    // A blank form: the placeholder the window holds before the first drop.
    explicit PriceData(std::optional<platform::URL> url);
    PriceData(std::optional<platform::URL> url, std::string title, double price, std::string category);

    const std::optional<platform::URL> url;
    platform::Published<double> price{*this, 0};
    platform::Published<std::string> title{*this, "Untitled"};
    platform::Published<std::string> category{*this, "No Category"};

    // The last text typed as a price that could not be read as one, until a
    // price is read; while it is set the window says so and does not save.
    platform::Published<std::optional<std::string>> rejectedPrice{*this, std::nullopt};

    // Where the edited item was filed, for a form opened by "Edit": saving
    // the form elsewhere moves the item rather than copying it.
    std::optional<ItemPlace> editedPlace;
};

// The form for a link just dropped: its title when the drop gave one (the
// empty text included), else "Unknown title"; the category from its host;
// price 0.
std::shared_ptr<PriceData> newPriceData(const platform::URL& url, const std::optional<std::string>& droppedTitle);

// The category proposed for a link: its host without a leading "www."
// (exactly those lower-case letters), or "Unknown host" without a host.
std::string categoryForHost(const platform::URL& url);

} // namespace Pricetray
