#pragma once

#include "tests/support/TemporaryHome.h"

#include "Hourtrail/ActivityTracker.h"
#include "Hourtrail/Store.h"

#include "platform/appkit/RunningApplication.h"
#include "platform/appkit/ScriptResult.h"
#include "platform/defaults/UserDefaults.h"
#include "platform/headless/HeadlessSession.h"
#include "platform/headless/HeadlessWindowServer.h"
#include "platform/plist/PropertyListCoding.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <ostream>
#include <string>

namespace Hourtrail {
// Readable failure messages: "{Mail: 15} {a.example: 120}".
inline void PrintTo(const Store& store, std::ostream* out) {
    *out << "{";
    for (const auto& [name, activity] : store.activities) {
        *out << " " << name << ": " << activity.accumulated << (activity.title == name ? "" : " (title differs)");
    }
    *out << " } {";
    for (const auto& [host, activity] : store.webActivities) {
        *out << " " << host << ": " << activity.accumulated << (activity.host == host ? "" : " (host differs)");
    }
    *out << " }";
}
} // namespace Hourtrail

namespace hourtrail_test {

// Pins an environment variable for the life of the object.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            saved_ = old;
        }
        ::setenv(name, value, 1);
    }
    ~ScopedVariable() {
        if (saved_) {
            ::setenv(name_, saved_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }

private:
    const char* name_;
    std::optional<std::string> saved_;
};

// A US English user in UTC with a fresh home, on a headless session of the
// virtual clock that plays the other applications.
class HourtrailTest : public ::testing::Test {
protected:
    void TearDown() override {
        // Nothing may be left to write once the home folder is gone.
        platform::UserDefaults::standard().synchronize();
    }

    platform::HeadlessWindowServer& server() { return session.server(); }
    platform::HeadlessDriver& driver() { return session.driver(); }
    platform::UserDefaults& defaults() { return platform::UserDefaults::standard(); }

    void front(const std::string& name) {
        platform::RunningApplication application;
        application.localizedName = name;
        server().setFrontmostApplication(application);
    }
    void answer(const std::string& browser, const std::string& text) {
        server().setScriptAnswer(browser, platform::ScriptResult::value(text));
    }
    void advance(double seconds) { driver().advance(seconds); }

    // What "Hourtrail.store" holds now, decoded; nothing when absent or undecodable.
    std::optional<Hourtrail::Store> stored() {
        auto data = defaults().data(Hourtrail::ActivityTracker::storeKey);
        return data ? platform::PropertyListDecoder::decode<Hourtrail::Store>(*data) : std::nullopt;
    }
    void store(const platform::PropertyList& tree) {
        defaults().set(platform::PropertyList(platform::BinaryPropertyList::write(tree)),
                       Hourtrail::ActivityTracker::storeKey);
    }
    void store(const Hourtrail::Store& value) { store(platform::PropertyListEncoder::encodeToTree(value)); }

private:
    ScopedVariable timeZone_{"TZ", "UTC"};
    ScopedVariable locale_{"LC_ALL", "en_US.UTF-8"};
    menulets::testing::TemporaryHome home_;

protected:
    platform::HeadlessSession session{{platform::Date{1'780'000'000}, "dev.menulets.Hourtrail"}};
};

inline Hourtrail::Store storeOf(std::initializer_list<std::pair<std::string, double>> applications,
                                std::initializer_list<std::pair<std::string, double>> websites = {}) {
    Hourtrail::Store result;
    for (const auto& [name, seconds] : applications) {
        result.activities[name] = {name, seconds};
    }
    for (const auto& [host, seconds] : websites) {
        result.webActivities[host] = {host, seconds};
    }
    return result;
}

} // namespace hourtrail_test
