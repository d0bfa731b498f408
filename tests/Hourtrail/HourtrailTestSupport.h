#pragma once

#include "platform/appkit/RunningApplication.h"
#include "platform/appkit/ScriptResult.h"
#include "tests/platform/time/TimeTestSupport.h"
#include "tests/support/TemporaryHome.h"

#include "Hourtrail/ActivityTracker.h"

#include "platform/defaults/UserDefaults.h"
#include "platform/headless/HeadlessSession.h"
#include "platform/headless/HeadlessWindowServer.h"
#include "platform/plist/PropertyListCoding.h"

#include <gtest/gtest.h>

namespace hourtrail_test {

// A US English user in UTC with a fresh home, on a headless session of the
// virtual clock that plays the other applications.
class HourtrailTest : public ::testing::Test {
protected:
    // Nothing may be left to write once the home folder is gone.
    void TearDown() override { platform::UserDefaults::standard().synchronize(); }

    platform::HeadlessWindowServer& server() { return session.server(); }
    platform::HeadlessDriver& driver() { return session.driver(); }
    void advance(double seconds) { driver().advance(seconds); }
    void front(const std::string& name) {
        platform::RunningApplication application;
        application.localizedName = name;
        server().setFrontmostApplication(application);
    }
    void answer(const std::string& browser, const std::string& text) {
        server().setScriptAnswer(browser, platform::ScriptResult::value(text));
    }

    // "Hourtrail.store" decoded once the tracker's saves so far are in the
    // defaults; nothing when absent or undecodable.
    std::optional<Hourtrail::Store> stored(Hourtrail::ActivityTracker& tracker) {
        tracker.waitForSaves();
        return stored();
    }
    std::optional<Hourtrail::Store> stored() {
        auto data = platform::UserDefaults::standard().data(Hourtrail::ActivityTracker::storeKey);
        return data ? platform::PropertyListDecoder::decode<Hourtrail::Store>(*data) : std::nullopt;
    }
    void store(const Hourtrail::Store& totals) { store(platform::PropertyListEncoder::encodeToTree(totals)); }
    void store(const platform::PropertyList& tree) {
        platform::UserDefaults::standard().set(platform::PropertyList(platform::BinaryPropertyList::write(tree)),
                                               Hourtrail::ActivityTracker::storeKey);
    }

private:
    time_test::ScopedEnvironment environment_{{"TZ", "UTC"}, {"LC_ALL", "en_US.UTF-8"}};
    menulets::testing::TemporaryHome home_;

protected:
    platform::HeadlessSession session{{platform::Date{1'780'000'000}, "dev.menulets.Hourtrail"}};
};

// Totals by name, the same seconds for the record's own title or host.
inline Hourtrail::Store storeOf(std::initializer_list<std::pair<std::string, double>> applications,
                                std::initializer_list<std::pair<std::string, double>> websites = {}) {
    Hourtrail::Store result;
    for (const auto& [name, seconds] : applications) result.activities[name] = {name, seconds};
    for (const auto& [host, seconds] : websites) result.webActivities[host] = {host, seconds};
    return result;
}

} // namespace hourtrail_test
