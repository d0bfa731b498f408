#pragma once

#include "tests/platform/time/TimeTestSupport.h"
#include "tests/support/TemporaryHome.h"

#include "Pricetray/Store.h"

#include "platform/defaults/UserDefaults.h"
#include "platform/foundation/URL.h"
#include "platform/headless/HeadlessSession.h"
#include "platform/plist/BinaryPropertyList.h"
#include "platform/plist/PropertyList.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pricetray_test {

// A US English user with a fresh home, on a headless session of the virtual
// clock under the program's bundle identifier.
class PricetrayTest : public ::testing::Test {
protected:
    // Nothing may be left to write once the home folder is gone.
    void TearDown() override { platform::UserDefaults::standard().synchronize(); }

    platform::HeadlessDriver& driver() { return session.driver(); }

    // The bytes under "Pricetray.store", and their tree when they are a property list.
    static std::optional<platform::Data> storedBytes() {
        return platform::UserDefaults::standard().data(Pricetray::Store::storeKey);
    }
    static std::optional<platform::PropertyList> storedTree() {
        auto bytes = storedBytes();
        return bytes ? platform::BinaryPropertyList::read(*bytes) : std::nullopt;
    }
    static void storeBytes(const platform::Data& bytes) {
        platform::UserDefaults::standard().set(platform::PropertyList(bytes), Pricetray::Store::storeKey);
    }
    static void storeTree(const platform::PropertyList& tree) { storeBytes(platform::BinaryPropertyList::write(tree)); }

    // Each category with its items as "link title price category", in the store's order.
    using Listing = std::vector<std::pair<std::string, std::vector<std::string>>>;
    static Listing listing(const Pricetray::Store& store) {
        Listing result;
        for (const auto& [category, items] : store.cart) {
            std::vector<std::string> lines;
            for (const auto& [link, item] : items) {
                std::ostringstream line;
                line << link.relativeString() << " " << item.title << " " << item.price << " " << item.category;
                lines.push_back(line.str());
            }
            result.emplace_back(category, std::move(lines));
        }
        return result;
    }

private:
    time_test::ScopedEnvironment environment_{{"TZ", "UTC"}, {"LC_ALL", "en_US.UTF-8"}};
    menulets::testing::TemporaryHome home_;

protected:
    platform::HeadlessSession session{{platform::Date{1'780'000'000}, "dev.menulets.Pricetray"}};
};

inline platform::URL url(std::string_view text) { return platform::URL::fromString(text).value(); }

// The coded link: {"relative": text}.
inline platform::PropertyList linkNode(const std::string& text) {
    return platform::PropertyListDictionary{{"relative", text}};
}

inline platform::PropertyList itemNode(const std::string& link, const std::string& title, double price,
                                       const std::string& category) {
    return platform::PropertyListDictionary{
        {"link", linkNode(link)}, {"title", title}, {"price", price}, {"category", category}};
}

inline platform::PropertyList storeNode(platform::PropertyListDictionary cart) {
    return platform::PropertyListDictionary{{"cart", std::move(cart)}};
}

} // namespace pricetray_test
