#include "ViewsTestFixture.h"

#include "platform/combine/ObservableObject.h"
#include "platform/combine/Published.h"
#include "platform/combine/TimerPublisher.h"
#include "platform/views/Button.h"
#include "platform/views/Component.h"
#include "platform/views/ObservedObject.h"
#include "platform/views/Slider.h"
#include "platform/views/Stack.h"
#include "platform/views/State.h"
#include "platform/views/Text.h"
#include "platform/views/ViewFinder.h"
#include "platform/views/ViewGraph.h"

#include <cmath>
#include <string>

using namespace platform;

namespace {

class Counter : public ObservableObject {
public:
    Published<int> count{*this, 0};
};

class CounterView : public Component {
public:
    CounterView(std::shared_ptr<Counter> counter, int& builds) : counter_(this, std::move(counter)), builds_(builds) {}

    View body() override {
        ++builds_;
        return VStack{Text("Count " + std::to_string(counter_->count.get())), Button("Add", [this] {
                          counter_->count = counter_->count + 1;
                      })};
    }

private:
    ObservedObject<Counter> counter_;
    int& builds_;
};

// A child with state of its own inside a parent that rebuilds.
class Flag : public Component {
public:
    explicit Flag(std::string name) : name_(std::move(name)) {}
    View body() override {
        return Button(name_ + (on_ ? " on" : " off"), [this] { on_ = !on_; });
    }

private:
    State<bool> on_{this, false};
    std::string name_;
};

class Parent : public Component {
public:
    View body() override {
        return VStack{Text("Round " + std::to_string(round_.get())), View::make<Flag>("flag"),
                      Button("Next", [this] { round_ = round_ + 1; })};
    }

private:
    State<int> round_{this, 1};
};

// A slider whose position is turned into a target by the view's on-change.
class Picker : public Component {
public:
    View body() override {
        return VStack{Slider(position_.binding(), 0, 100), Text("Target " + std::to_string(target_.get()))}
            .onChange(position_.get(), [this](const double& position) { target_ = static_cast<int>(std::lround(position / 10)) * 10; });
    }

private:
    State<double> position_{this, 50};
    State<int> target_{this, 50};
};

// Counts the ticks of a timer publisher held in state.
class Ticker : public Component {
public:
    explicit Ticker(AnyPublisher<Date> ticks) : ticks_(std::move(ticks)) {}
    View body() override {
        return Text("Ticks " + std::to_string(count_.get())).onReceive(ticks_, [this] { count_ = count_ + 1; });
    }
    void poke() { invalidate(); }

private:
    AnyPublisher<Date> ticks_;
    State<int> count_{this, 0};
};

} // namespace

TEST_F(ViewsTest, ObservedObjectChangeRebuildsTheBodyOnceOnTheNextTurn) {
    auto counter = std::make_shared<Counter>();
    int builds = 0;
    auto graph = ViewGraph::make();
    graph->setRoot(View::make<CounterView>(counter, builds));
    EXPECT_EQ(builds, 1);

    counter->count = 4;
    counter->count = 5;
    EXPECT_TRUE(graph->needsUpdate());
    EXPECT_EQ(builds, 1);
    turn();
    EXPECT_EQ(builds, 2);
    EXPECT_EQ(graph->root().describe(), "CounterView\n  VStack\n    Text \"Count 5\"\n    Button \"Add\"\n");

    ViewFinder(graph->root().node()).first<Button::Node>("Add")->press();
    graph->update();
    EXPECT_EQ(counter->count.get(), 6);
    EXPECT_EQ(builds, 3);
}

TEST_F(ViewsTest, ComponentStateSurvivesItsParentsRebuild) {
    auto graph = ViewGraph::make();
    graph->setRoot(View::make<Parent>());
    ViewFinder(graph->root().node()).first<Button::Node>("flag off")->press();
    graph->update();
    ViewFinder(graph->root().node()).first<Button::Node>("Next")->press();
    graph->update();

    EXPECT_EQ(graph->root().describe(),
              "Parent\n  VStack\n    Text \"Round 2\"\n    Flag\n      Button \"flag on\"\n    Button \"Next\"\n");
}

TEST_F(ViewsTest, OnChangeRunsWithTheNewValueAfterTheRebuild) {
    auto graph = ViewGraph::make();
    graph->setRoot(View::make<Picker>());
    ViewFinder finder(graph->root().node());
    EXPECT_EQ(finder.find("Target 50").size(), 1u) << "the first showing runs no on-change";

    finder.first<Slider::Node>("*")->setValue(73);
    graph->update();
    EXPECT_EQ(ViewFinder(graph->root().node()).find("Target 70").size(), 1u);
}

TEST_F(ViewsTest, OnReceiveCountsTimerTicksAcrossRebuildsAndStopsWithTheView) {
    auto timer = TimerPublisher::publish(1.0, RunLoop::main(), RunLoop::Mode::defaultMode);
    auto graph = ViewGraph::make();
    graph->setRoot(View::make<Ticker>(timer.autoconnect()));
    EXPECT_TRUE(timer.isConnected());

    RunLoop::main().advance(0.5);
    // A rebuild half-way must not restart the timer's period.
    static_cast<Ticker&>(graph->root().node()).poke();
    turn();
    RunLoop::main().advance(0.5);
    EXPECT_EQ(graph->root().describe(), "Ticker\n  Text \"Ticks 1\" .onReceive\n");
    RunLoop::main().advance(2.0);
    EXPECT_EQ(graph->root().describe(), "Ticker\n  Text \"Ticks 3\" .onReceive\n");

    graph->setRoot(Text("gone"));
    EXPECT_FALSE(timer.isConnected());
}

TEST_F(ViewsTest, RootReplacedBySameClassObservesOnlyTheNewObject) {
    auto first = std::make_shared<Counter>();
    auto second = std::make_shared<Counter>();
    second->count = 7;
    int builds = 0;
    auto graph = ViewGraph::make();
    graph->setRoot(View::make<CounterView>(first, builds));
    graph->setRoot(View::make<CounterView>(second, builds));
    EXPECT_EQ(graph->root().describe(), "CounterView\n  VStack\n    Text \"Count 7\"\n    Button \"Add\"\n");

    int before = builds;
    first->count = 1;
    turn();
    EXPECT_EQ(builds, before) << "the replaced root no longer observes its object";
    second->count = 8;
    turn();
    EXPECT_EQ(builds, before + 1);
}
