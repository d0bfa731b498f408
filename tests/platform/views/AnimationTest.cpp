#include "ViewsTestFixture.h"

#include "platform/appkit/Window.h"
#include "platform/views/Component.h"
#include "platform/views/HostingController.h"
#include "platform/views/ShapeView.h"
#include "platform/views/Stack.h"
#include "platform/views/State.h"
#include "platform/views/Transaction.h"
#include "platform/views/ViewFinder.h"

#include <cmath>
#include <numbers>

using namespace platform;

namespace {

using std::numbers::pi;

// A disc sector between two angles, the shape of a filling clock.
class Sector : public BasicShape<Sector> {
public:
    Sector(double start, double end) : start_(start), end_(end) {}

    Path path(const Rect& rect) const override {
        Point center{rect.midX(), rect.midY()};
        double radius = std::min(rect.width(), rect.height()) / 2;
        Path path;
        path.move(center);
        path.line({center.x + radius * std::cos(start_), center.y + radius * std::sin(start_)});
        path.addArc(center, radius, start_, end_, true);
        path.line(center);
        return path;
    }
    std::vector<double> animatableData() const override { return {start_, end_}; }
    void setAnimatableData(const std::vector<double>& data) override {
        start_ = data.at(0);
        end_ = data.at(1);
    }

private:
    double start_;
    double end_;
};

class Dial : public Component {
public:
    View body() override {
        return ZStack{ShapeView(Sector(0, -2 * pi)).fill(Color::named("gray")),
                      ShapeView(Sector(0, started_ ? -2 * pi : 0))}
            .foregroundColor(Color::systemBlue())
            .onAppear([this] { withAnimation(Animation::linear(20), [this] { started_ = true; }); });
    }
    // A change that has nothing to do with the sweep.
    void touch() { unrelated_ = unrelated_ + 1; }

private:
    State<bool> started_{this, false};
    State<int> unrelated_{this, 0};
};

} // namespace

class AnimationTest : public ViewsTest {
protected:
    void SetUp() override {
        ViewsTest::SetUp();
        window = Window::withContentViewController(controller);
    }
    ShapeView::Node& sweep() const {
        return *ViewFinder(controller->rootView().node()).find<ShapeView::Node>("*").at(1);
    }
    double sweepEnd() const { return sweep().presentedShape()->animatableData().at(1); }

    std::shared_ptr<HostingController> controller = HostingController::make(View::make<Dial>());
    std::shared_ptr<Window> window;
};

TEST_F(AnimationTest, SweepStartsWhenShownAndIsHalfWayAfterHalfTheDuration) {
    turn();
    EXPECT_EQ(sweepEnd(), 0) << "nothing moves before the window is shown";

    window->makeKeyAndOrderFront();
    turn();
    EXPECT_TRUE(sweep().isAnimating());
    EXPECT_EQ(sweep().resolvedFill(), Color::systemBlue()) << "an unfilled shape takes the foreground colour";
    RunLoop::main().advance(10);
    EXPECT_NEAR(sweepEnd(), -pi, 1e-9);
    auto halfway = sweep().presentedShape()->path(Rect{{0, 0}, {60, 60}});
    EXPECT_NEAR(halfway.elements().at(2).endAngle, -pi, 1e-9);
    EXPECT_NE(controller->describe().find("Sector(0, -3.14159) animating"), std::string::npos);

    RunLoop::main().advance(10);
    EXPECT_NEAR(sweepEnd(), -2 * pi, 1e-9);
    EXPECT_FALSE(sweep().isAnimating());
    RunLoop::main().advance(10);
    EXPECT_NEAR(sweepEnd(), -2 * pi, 1e-9);
}

TEST_F(AnimationTest, UnrelatedRebuildDoesNotDisturbTheMotion) {
    window->makeKeyAndOrderFront();
    turn();
    RunLoop::main().advance(5);
    static_cast<Dial&>(controller->rootView().node()).touch();
    turn();
    RunLoop::main().advance(5);
    EXPECT_NEAR(sweepEnd(), -pi, 1e-9);
}

TEST_F(AnimationTest, ChangeOutsideAnAnimationJumps) {
    auto graph = ViewGraph::make();
    struct Flip : Component {
        State<bool> full{this, false};
        View body() override { return ShapeView(Sector(0, full ? -2 * pi : 0)); }
    };
    graph->setRoot(View::make<Flip>());
    static_cast<Flip&>(graph->root().node()).full = true;
    graph->update();
    auto& shape = *ViewFinder(graph->root().node()).first<ShapeView::Node>("*");
    EXPECT_FALSE(shape.isAnimating());
    EXPECT_NEAR(shape.presentedShape()->animatableData().at(1), -2 * pi, 1e-9);
}
