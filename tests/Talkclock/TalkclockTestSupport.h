#pragma once

#include "tests/platform/time/TimeTestSupport.h"
#include "tests/support/TemporaryHome.h"

#include "Talkclock/Alarm.h"
#include "Talkclock/AppDelegate.h"
#include "Talkclock/ContentView.h"
#include "Talkclock/TalkclockApp.h"
#include "Talkclock/TimerView.h"

#include "platform/appkit/Window.h"
#include "platform/defaults/UserDefaults.h"
#include "platform/headless/HeadlessSession.h"
#include "platform/headless/HeadlessWindowServer.h"
#include "platform/headless/ViewDriver.h"
#include "platform/views/HostingController.h"
#include "platform/views/Text.h"
#include "platform/views/ViewFinder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace talkclock_test {

// The alarm's pauses, in place of real sleeps: each is recorded with the
// thread it blocks and returns at once, or while held waits until released,
// so a test can keep the alarm thread in its first pause and watch the main
// thread go on.
class AlarmPauses {
    struct State {
        std::mutex mutex;
        std::condition_variable changed;
        std::vector<std::pair<std::thread::id, double>> pauses;
        bool held = false;
    };

public:
    AlarmPauses() = default;
    AlarmPauses(const AlarmPauses&) = delete;
    AlarmPauses& operator=(const AlarmPauses&) = delete;
    ~AlarmPauses() { release(); }

    // The state is shared with the alarm thread, which may outlive a failed test.
    Talkclock::Alarm alarm() const {
        return Talkclock::Alarm([state = state_](double seconds) {
            std::unique_lock lock(state->mutex);
            state->pauses.emplace_back(std::this_thread::get_id(), seconds);
            state->changed.notify_all();
            state->changed.wait(lock, [&] { return !state->held; });
        });
    }

    void hold() {
        std::lock_guard lock(state_->mutex);
        state_->held = true;
    }
    void release() {
        std::lock_guard lock(state_->mutex);
        state_->held = false;
        state_->changed.notify_all();
    }
    // Waits (a few seconds at most) until that many pauses have begun.
    bool waitFor(std::size_t count) {
        std::unique_lock lock(state_->mutex);
        return state_->changed.wait_for(lock, std::chrono::seconds(5),
                                        [&] { return state_->pauses.size() >= count; });
    }
    std::vector<std::pair<std::thread::id, double>> taken() const {
        std::lock_guard lock(state_->mutex);
        return state_->pauses;
    }

private:
    std::shared_ptr<State> state_ = std::make_shared<State>();
};

// A US English user in UTC with a fresh home; Talkclock runs in a headless
// session on the virtual clock, its panel's alarm paused by `pauses`.
class TalkclockTest : public ::testing::Test {
protected:
    static constexpr double start = 1'780'000'000;

    TalkclockTest() { launch(platform::Date{start}); }
    void TearDown() override {
        pauses.release();
        // Nothing may be left to write once the home folder is gone.
        platform::UserDefaults::standard().synchronize();
    }

    // Ends the running session, if any, and starts the program again at `now`.
    void launch(platform::Date now) {
        session.reset();
        session.emplace(platform::HeadlessSession::Options{now, "dev.menulets.Talkclock"});
        auto launch = platform::appLaunch<Talkclock::TalkclockApp>();
        launch.makeDelegate = [alarm = pauses.alarm()] { return std::make_shared<Talkclock::AppDelegate>(alarm); };
        session->launch(launch);
        views.emplace(driver());
    }

    platform::HeadlessDriver& driver() { return session->driver(); }
    Talkclock::MenuBarButton& barButton() { return *session->delegateAs<Talkclock::AppDelegate>()->barButton; }
    std::shared_ptr<platform::Window> panel() { return barButton().windowController()->window(); }
    platform::HostingController& panelContent() {
        return dynamic_cast<platform::HostingController&>(*panel()->contentViewController());
    }
    Talkclock::ContentView& content() {
        return dynamic_cast<Talkclock::ContentView&>(panelContent().rootView().node());
    }

    // The characters of the panel's tiles, in order.
    std::string shownTime() {
        panelContent().graph().update();
        platform::ViewFinder everything(panelContent().rootView().node());
        auto* timer = everything.first<Talkclock::TimerView>("*");
        std::string text;
        for (auto* tile : platform::ViewFinder(*timer).find<platform::Text::Node>("*")) {
            text += tile->content();
        }
        return text;
    }

    // The events of one kind since the last look, described.
    std::vector<std::string> events(const std::string& kind) {
        std::vector<std::string> found;
        for (const auto& event : driver().takeEvents()) {
            if (event.kind == kind) {
                found.push_back(event.describe());
            }
        }
        return found;
    }

    AlarmPauses pauses;

private:
    time_test::ScopedEnvironment environment_{{"TZ", "UTC"}, {"LC_ALL", "en_US.UTF-8"}};
    menulets::testing::TemporaryHome home_;

protected:
    std::optional<platform::HeadlessSession> session;
    std::optional<platform::ViewDriver> views;
};

} // namespace talkclock_test
