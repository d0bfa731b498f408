#include "Blinkbreak/ContentView.h"

#include "Blinkbreak/AppDelegate.h"
#include "Blinkbreak/Clock.h"

#include "platform/runloop/DispatchQueue.h"
#include "platform/views/Button.h"
#include "platform/views/Stack.h"
#include "platform/views/Text.h"

namespace Blinkbreak {

using namespace platform;

View ContentView::body() {
    return ZStack{
        VStack{
            View::make<Clock>().frame(60, 60).foregroundColor(Color::systemBlue()).padding(),
            Text("Stretch your eyes").padding(Edges::bottom, 8),
            Text("\U0001F441\uFE0F \U0001F441\uFE0F").font(Font::title3()),
            Button("Hidden", [] { AppDelegate::closeReminderWindows(); })
                .opacity(0)
                .keyboardShortcut(KeyboardShortcut::cancelAction()),
        },
    }
        .padding()
        .frame(FrameLimits{.minWidth = 200, .minHeight = 200})
        // The window is on screen only once this turn is over.
        .onAppear([] { DispatchQueue::main().async([] { AppDelegate::floatReminderWindows(); }); });
}

} // namespace Blinkbreak
