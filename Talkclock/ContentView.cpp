#include "Talkclock/ContentView.h"

#include "Talkclock/TimerView.h"

#include "platform/appkit/Application.h"
#include "platform/appkit/Color.h"
#include "platform/runloop/RunLoop.h"
#include "platform/views/Button.h"
#include "platform/views/EmptyView.h"
#include "platform/views/Font.h"
#include "platform/views/RoundedRectangle.h"
#include "platform/views/Slider.h"
#include "platform/views/Stack.h"
#include "platform/views/SymbolImage.h"
#include "platform/views/Text.h"

#include <utility>

namespace Talkclock {

using namespace platform;

ContentView::ContentView(std::shared_ptr<TimerDefaults> defaults, Alarm alarm)
    : defaults_(this, std::move(defaults)), alarm_(std::move(alarm)) {}

TimerPublisher ContentView::makeTicker() {
    // The default mode only: ticks wait while a menu is tracked.
    return TimerPublisher::publish(1, RunLoop::main(), RunLoop::Mode::defaultMode);
}

void ContentView::tick() {
    if (!running()) {
        ticker_ = std::nullopt;
        return;
    }
    defaults_->setAccumulated(accumulated() + 1);
    // Exact equality: a target lowered below the count never sounds.
    if (accumulated() == target()) {
        alarm_.ring();
    }
}

void ContentView::startTimer() {
    defaults_->setRunning(true);
    ticker_ = makeTicker();
}

void ContentView::stopTimer() { defaults_->setRunning(false); }

void ContentView::resetTimer() {
    defaults_->setRunning(false);
    defaults_->setAccumulated(0);
}

View ContentView::controls() {
    auto startOrStop = running() ? Button("Stop", [this] { stopTimer(); }) : Button("Start", [this] { startTimer(); });
    // The ends are labelled with the targets they give.
    return HStack{
        Slider(sliderValue_.binding(), TargetCurve::sliderMinimum, max)
            .label(SymbolImage("timer"))
            .minimumValueLabel(Text("10s"))
            .maximumValueLabel(Text("12h")),
        startOrStop.buttonStyle(ButtonStyle::borderless),
        Button("Reset", [this] { resetTimer(); }).buttonStyle(ButtonStyle::borderless),
    }
        .onAppear([this] { sliderValue_ = TargetCurve::sliderPosition(target()); });
}

View ContentView::body() {
    // The title's place stays when it is off, so the views below keep their
    // identity (and the controls do not appear a second time) when it changes.
    View title = showTitle() ? Text("Talk Clock")
                                   .font(Font::system(Font::Style::title, Font::Design::rounded).bold())
                                   .padding()
                                   .foregroundColor(Color::accent())
                             : EmptyView();
    View timer = View::make<TimerView>(defaults_->targetBinding(), defaults_->accumulatedBinding());
    View stack = VStack{title, timer, controls()}.padding();
    if (ticker_->has_value()) {
        stack = stack.onReceive(ticker_.get()->autoconnect(), [this] { tick(); });
    }
    return stack
        .onChange(sliderValue_.get(),
                  [this](double position) { defaults_->setTarget(TargetCurve::quantizeTarget(position)); })
        .background(Color::windowBackground())
        .clipShape(RoundedRectangle(8))
        .contextMenu({Button("Open Settings", [] {
            Application::shared().sendAction("showPreferencesWindow:", nullptr, nullptr);
        })});
}

} // namespace Talkclock
