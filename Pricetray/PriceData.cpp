#include "Pricetray/PriceData.h"

#include "platform/foundation/BrowserURLReader.h"

#include <utility>

namespace Pricetray {

PriceData::PriceData(std::optional<platform::URL> link) : url(std::move(link)) {}

PriceData::PriceData(std::optional<platform::URL> link, std::string itemTitle, double itemPrice,
                     std::string itemCategory)
    : url(std::move(link)), price(*this, itemPrice), title(*this, std::move(itemTitle)),
      category(*this, std::move(itemCategory)) {}

std::shared_ptr<PriceData> newPriceData(const platform::URL& url, const std::optional<std::string>& droppedTitle) {
    return std::make_shared<PriceData>(url, droppedTitle.value_or("Unknown title"), 0.0, categoryForHost(url));
}

std::string categoryForHost(const platform::URL& url) {
    auto host = url.host();
    if (!host) {
        return "Unknown host";
    }
    if (host->starts_with("www.")) {
        host->erase(0, 4);
    }
    // As people read it: "bücher.example", not "xn--bcher-kva.example".
    return platform::BrowserURLReader::hostForPeople(*host);
}

} // namespace Pricetray
