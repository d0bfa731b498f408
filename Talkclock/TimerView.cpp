#include "Talkclock/TimerView.h"

#include "platform/appkit/Color.h"
#include "platform/time/CalendarUnit.h"
#include "platform/views/Font.h"
#include "platform/views/RoundedRectangle.h"
#include "platform/views/Stack.h"
#include "platform/views/Text.h"

namespace Talkclock {

using namespace platform;

namespace {

const Font tileFont = Font::system(Font::Style::title, Font::Design::monospaced).bold();

View tile(const std::string& character) {
    if (character == ":") {
        return Text(character).font(tileFont).layoutPriority(100);
    }
    return Text(character)
        .font(tileFont)
        .fixedSize()
        .layoutPriority(100)
        .padding(12)
        .background(Color::textBackground())
        .clipShape(RoundedRectangle(8))
        .shadow(Color::black().withAlpha(0.33), 2);
}

// The length of the UTF-8 sequence a lead byte starts; a stray byte stands alone.
std::size_t sequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead < 0xF8) {
        return 4;
    }
    if (lead >= 0xE0) {
        return lead < 0xF0 ? 3 : 1;
    }
    if (lead >= 0xC0) {
        return 2;
    }
    return 1;
}

} // namespace

TimerView::TimerView(Binding<double> target, Binding<double> accumulated)
    : target_(std::move(target)), accumulated_(std::move(accumulated)) {
    dateFormatter_.unitsStyle = DateComponentsFormatter::UnitsStyle::positional;
    dateFormatter_.zeroFormattingBehavior = DateComponentsFormatter::ZeroFormattingBehavior::pad;
    dateFormatter_.allowedUnits = allowedUnits(target_.get());
}

unsigned TimerView::allowedUnits(double target) {
    const unsigned minutesAndSeconds = CalendarUnit::minute | CalendarUnit::second;
    return target > 3600 ? CalendarUnit::hour | minutesAndSeconds : minutesAndSeconds;
}

std::string TimerView::remainingText(double remaining) const {
    return dateFormatter_.string(remaining).value_or("00:00:00");
}

std::vector<std::string> TimerView::characters(const std::string& text) {
    std::vector<std::string> split;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t length = sequenceLength(static_cast<unsigned char>(text[at]));
        std::size_t end = at + 1;
        // Only continuation bytes belong to the sequence; a cut one ends early.
        while (end < text.size() && end < at + length && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
            ++end;
        }
        split.push_back(text.substr(at, end - at));
        at = end;
    }
    return split;
}

View TimerView::body() {
    std::vector<View> tiles;
    for (const auto& character : characters(remainingText(target_.get() - accumulated_.get()))) {
        tiles.push_back(tile(character));
    }
    // Spelled out: clang reads HStack{anHStack} as a copy of the inner stack,
    // g++ as a stack around it.
    return HStack(std::vector<View>{HStack(std::move(tiles))}).fixedSize();
}

} // namespace Talkclock
