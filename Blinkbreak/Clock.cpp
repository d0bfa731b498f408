#include "Blinkbreak/Clock.h"

#include "Blinkbreak/Pie.h"

#include "platform/views/Animation.h"
#include "platform/views/ShapeView.h"
#include "platform/views/Stack.h"
#include "platform/views/Transaction.h"

#include <numbers>

namespace Blinkbreak {

using namespace platform;

namespace {
constexpr double fullTurn = -2 * std::numbers::pi;
}

View Clock::body() {
    return ZStack{
        ShapeView(Pie(0, fullTurn, false)).fill(Color::systemGray()).shadow(Color::black().withAlpha(0.33), 4),
        ShapeView(Pie(0, started ? fullTurn : 0, false)),
    }
        .onAppear([this] { withAnimation(Animation::linear(fillDuration), [this] { started = true; }); });
}

} // namespace Blinkbreak
