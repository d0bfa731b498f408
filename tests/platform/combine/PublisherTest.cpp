#include "platform/combine/AnyCancellable.h"
#include "platform/combine/ObservableObject.h"
#include "platform/combine/PassthroughSubject.h"
#include "platform/combine/Published.h"
#include "platform/combine/SequencePublisher.h"
#include "platform/combine/TimerPublisher.h"
#include "platform/runloop/Clock.h"
#include "platform/runloop/DispatchQueue.h"
#include "platform/runloop/RunLoop.h"

#include "tests/support/VirtualClockTest.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace platform;

namespace {

class PublisherTest : public menulets::testing::VirtualClockTest {
protected:
    std::vector<int> received;
    int completions = 0;
};

TEST_F(PublisherTest, TokensCancelWhenDestroyedOrRemovedFromTheirBag) {
    PassthroughSubject<int> subject;
    std::vector<int> other;
    CancelBag bag;
    subject.sink([&](int value) { received.push_back(value); }).store(bag);
    {
        auto scoped = subject.sink([&](int value) { other.push_back(value); });
        subject.send(1);
    }
    subject.send(2);
    bag.clear();
    subject.send(3);
    EXPECT_EQ(received, (std::vector<int>{1, 2}));
    EXPECT_EQ(other, std::vector<int>{1});
}

TEST_F(PublisherTest, SubjectCompletesOnceAndTellsLateSubscribers) {
    PassthroughSubject<int> subject;
    AnyCancellable second;
    auto first = subject.sink([&](Completion) { ++completions; },
                              [&](int value) {
                                  received.push_back(value);
                                  second.cancel(); // a subscriber leaving mid-send gets nothing more
                              });
    second = subject.sink([&](int value) { received.push_back(value * 10); });
    subject.send(1);
    subject.send(Completion::finished);
    subject.send(2);
    subject.send(Completion::finished);
    auto late = subject.sink([&](Completion) { ++completions; }, [&](int) { FAIL(); });
    EXPECT_EQ(received, std::vector<int>{1});
    EXPECT_EQ(completions, 2);
}

TEST_F(PublisherTest, DebounceRestartsTheWaitWithEachValue) {
    PassthroughSubject<int> subject;
    std::vector<double> at;
    auto token = subject.debounce(0.5, loop).sink([&](int value) {
        received.push_back(value);
        at.push_back(elapsed());
    });
    subject.send(1);
    loop.advance(0.3);
    subject.send(2);
    loop.advance(0.3);
    subject.send(3);
    loop.advance(0.4);
    EXPECT_TRUE(received.empty());
    loop.advance(0.1);
    EXPECT_EQ(received, std::vector<int>{3});
    EXPECT_NEAR(at.at(0), 1.1, 1e-9);

    // The wait is a default-mode timer: held while a menu tracks.
    subject.send(4);
    loop.pushMode(RunLoop::Mode::eventTracking);
    loop.advance(2);
    EXPECT_EQ(received.size(), 1u);
    loop.popMode();
    loop.runUntilIdle();
    EXPECT_EQ(received, (std::vector<int>{3, 4}));
}

TEST_F(PublisherTest, DebounceForwardsCompletionAtOnceAndDropsTheWaitingValue) {
    auto token = sequencePublisher(std::vector<int>{1, 2, 3})
                     .debounce(0.5, loop)
                     .sink([&](Completion) { ++completions; }, [&](int value) { received.push_back(value); });
    EXPECT_EQ(completions, 1);

    PassthroughSubject<int> subject;
    auto second = subject.debounce(0.5, loop).sink([&](Completion) { ++completions; },
                                                   [&](int value) { received.push_back(value); });
    subject.send(7);
    subject.send(Completion::finished);
    EXPECT_EQ(completions, 2);
    loop.advance(1);
    EXPECT_TRUE(received.empty());
}

TEST_F(PublisherTest, SubscribeOnWaitsForALaterTurnReceiveOnDeliversThere) {
    auto subscribed = sequencePublisher(std::vector<int>{1, 2}).subscribeOn(loop).sink([&](int value) {
        received.push_back(value);
    });
    auto cancelledEarly = sequencePublisher(std::vector<int>{9}).subscribeOn(loop).sink([&](int value) {
        received.push_back(value);
    });
    cancelledEarly.cancel();
    EXPECT_TRUE(received.empty());
    loop.runOneTurn();
    EXPECT_EQ(received, (std::vector<int>{1, 2}));

    PassthroughSubject<int> subject;
    auto delivered = subject.map([](int value) { return value + 100; }).receiveOn(loop).sink([&](int value) {
        received.push_back(value);
    });
    subject.send(1);
    subject.send(2);
    EXPECT_EQ(received.size(), 2u);
    loop.runOneTurn();
    EXPECT_EQ(received, (std::vector<int>{1, 2, 101, 102}));
}

TEST_F(PublisherTest, TimerPublisherTicksWhileSubscribedInItsMode) {
    struct Owner {
        std::vector<Date> ticks;
    };
    auto owner = std::make_shared<Owner>();
    Date start = Date::now();
    CancelBag bag;
    TimerPublisher::publish(1.0, loop, RunLoop::Mode::defaultMode)
        .autoconnect()
        .sink(weakly(owner, [](Owner& o, const Date& date) { o.ticks.push_back(date); }))
        .store(bag);
    int commonTicks = 0;
    auto common = TimerPublisher::publish(1.0, loop, RunLoop::Mode::common).autoconnect().sink([&](const Date&) {
        ++commonTicks;
    });

    loop.advance(2);
    ASSERT_EQ(owner->ticks.size(), 2u);
    EXPECT_EQ(owner->ticks[1], start.addingTimeInterval(2));
    loop.pushMode(RunLoop::Mode::eventTracking);
    loop.advance(2);
    EXPECT_EQ(owner->ticks.size(), 2u);
    EXPECT_EQ(commonTicks, 4);
    loop.popMode();

    bag.clear();
    loop.advance(3);
    EXPECT_EQ(owner->ticks.size(), 2u);
    EXPECT_EQ(loop.secondsUntilNextItem(), 1.0); // only the common timer is left
}

TEST_F(PublisherTest, PublishedAnnouncesBeforeEachChange) {
    struct Model : ObservableObject {
        Published<std::vector<std::string>> list{*this, {"a"}};
    };
    Model model;
    std::vector<std::vector<std::string>> seen;
    auto token = model.objectWillChange.sink([&](std::monostate) { seen.push_back(model.list.get()); });

    model.list = {"a", "b"};
    model.list.modify([](auto& list) { list.erase(list.begin()); });
    EXPECT_EQ(seen, (std::vector<std::vector<std::string>>{{"a"}, {"a", "b"}}));
    EXPECT_EQ(model.list.get(), std::vector<std::string>{"b"});
}

} // namespace
