#include "platform/time/ZoneRules.h"

#include <algorithm>

namespace platform {

namespace {

// A zone file's fields are big-endian.
class BigEndianReader {
public:
    explicit BigEndianReader(std::string_view bytes) : bytes_(bytes) {}

    bool has(std::size_t count) const { return count <= bytes_.size() - at_; }
    std::size_t position() const { return at_; }
    void skip(std::size_t count) { at_ += count; }
    std::string_view take(std::size_t count) {
        auto part = bytes_.substr(at_, count);
        at_ += count;
        return part;
    }
    std::int64_t signedNumber(int byteCount) {
        std::uint64_t value = 0;
        for (int i = 0; i < byteCount; ++i) {
            value = value << 8 | static_cast<unsigned char>(bytes_[at_ + static_cast<std::size_t>(i)]);
        }
        at_ += static_cast<std::size_t>(byteCount);
        // Sign-extend from the field's width.
        const int unused = 64 - 8 * byteCount;
        return static_cast<std::int64_t>(value << unused) >> unused;
    }
    unsigned byte() { return static_cast<unsigned char>(bytes_[at_++]); }

private:
    std::string_view bytes_;
    std::size_t at_ = 0;
};

struct Header {
    char version = 0;
    std::uint32_t utLocalCount = 0, standardWallCount = 0, leapCount = 0, timeCount = 0, typeCount = 0,
                  characterCount = 0;

    std::size_t dataLength(std::size_t timeSize) const {
        return timeCount * timeSize + timeCount + typeCount * 6 + characterCount + leapCount * (timeSize + 4) +
               standardWallCount + utLocalCount;
    }
};

std::optional<Header> readHeader(BigEndianReader& reader) {
    if (!reader.has(44) || reader.take(4) != "TZif") {
        return std::nullopt;
    }
    Header header;
    header.version = reader.take(1)[0];
    reader.skip(15);
    for (std::uint32_t* count : {&header.utLocalCount, &header.standardWallCount, &header.leapCount,
                                 &header.timeCount, &header.typeCount, &header.characterCount}) {
        *count = static_cast<std::uint32_t>(reader.signedNumber(4)) & 0xffffffffu;
    }
    // Counts a file of any real zone stays far below.
    constexpr std::uint32_t largestCount = 1u << 20;
    if (header.typeCount == 0 || header.typeCount > 256 || header.timeCount > largestCount ||
        header.characterCount > largestCount || header.leapCount > largestCount ||
        (header.utLocalCount != 0 && header.utLocalCount != header.typeCount) ||
        (header.standardWallCount != 0 && header.standardWallCount != header.typeCount)) {
        return std::nullopt;
    }
    return header;
}

} // namespace

std::optional<ZoneRules> ZoneRules::fromZoneFile(std::string_view bytes) {
    BigEndianReader reader(bytes);
    auto header = readHeader(reader);
    if (!header) {
        return std::nullopt;
    }
    std::size_t timeSize = 4;
    // Version 2 and later repeat the data with 64-bit times, then add the rule.
    if (header->version != '\0') {
        if (!reader.has(header->dataLength(4))) {
            return std::nullopt;
        }
        reader.skip(header->dataLength(4));
        header = readHeader(reader);
        if (!header) {
            return std::nullopt;
        }
        timeSize = 8;
    }
    if (!reader.has(header->dataLength(timeSize))) {
        return std::nullopt;
    }
    std::vector<std::int64_t> times(header->timeCount);
    for (auto& time : times) {
        time = reader.signedNumber(static_cast<int>(timeSize));
    }
    std::vector<unsigned> typeIndices(header->timeCount);
    for (auto& index : typeIndices) {
        index = reader.byte();
        if (index >= header->typeCount) {
            return std::nullopt;
        }
    }
    struct Type {
        std::int32_t offset;
        bool isDaylightTime;
        unsigned abbreviationIndex;
    };
    std::vector<Type> types(header->typeCount);
    for (auto& type : types) {
        const auto offset = reader.signedNumber(4);
        type.isDaylightTime = reader.byte() != 0;
        type.abbreviationIndex = reader.byte();
        // RFC 8536 keeps offsets within a day, and never the most negative number.
        if (offset <= -86400 * 7 || offset >= 86400 * 7 || type.abbreviationIndex >= header->characterCount) {
            return std::nullopt;
        }
        type.offset = static_cast<std::int32_t>(offset);
    }
    const std::string_view characters = reader.take(header->characterCount);
    reader.skip(header->leapCount * (timeSize + 4) + header->standardWallCount + header->utLocalCount);
    const auto abbreviation = [&](const Type& type) {
        const std::string_view rest = characters.substr(type.abbreviationIndex);
        return std::string(rest.substr(0, std::min(rest.find('\0'), rest.size())));
    };

    ZoneRules rules;
    rules.initial_ = {0, types[0].offset, types[0].isDaylightTime, abbreviation(types[0])};
    for (std::size_t i = 0; i < times.size(); ++i) {
        if (i > 0 && times[i] <= times[i - 1]) {
            return std::nullopt;
        }
        const Type& type = types[typeIndices[i]];
        rules.append({times[i], type.offset, type.isDaylightTime, abbreviation(type)});
    }
    if (timeSize == 8 && reader.has(1) && reader.take(1) == "\n") {
        const std::size_t start = reader.position();
        const std::string_view rest = bytes.substr(start);
        const auto end = rest.find('\n');
        if (end != std::string_view::npos && end > 0) {
            if (auto rule = PosixTimeZoneRule::parse(rest.substr(0, end))) {
                rules.extend(*rule);
            }
        }
    }
    return rules;
}

ZoneRules ZoneRules::fromPosixRule(const PosixTimeZoneRule& rule) {
    ZoneRules rules;
    rules.initial_ = {0, rule.standardOffset(), false, rule.standardAbbreviation()};
    rules.extend(rule);
    return rules;
}

void ZoneRules::append(ZoneTransition transition) {
    const ZoneTransition& current = transitions_.empty() ? initial_ : transitions_.back();
    if (!transitions_.empty() && transition.at <= current.at) {
        return;
    }
    if (transition.offset == current.offset && transition.isDaylightTime == current.isDaylightTime &&
        transition.abbreviation == current.abbreviation) {
        return;
    }
    transitions_.push_back(std::move(transition));
}

void ZoneRules::extend(const PosixTimeZoneRule& rule) {
    if (!rule.hasDaylightTime()) {
        append({transitions_.empty() ? 0 : transitions_.back().at + 1, rule.standardOffset(), false,
                rule.standardAbbreviation()});
        return;
    }
    // A rule with no listed change before it holds for all of time people date things in.
    const int firstYear = transitions_.empty() ? 1900 : civilYear(transitions_.back().at / 86400);
    for (int year = firstYear; year <= lastListedYear; ++year) {
        for (auto& transition : rule.transitionsIn(year)) {
            if (transitions_.empty() || transition.at > transitions_.back().at) {
                append(std::move(transition));
            }
        }
    }
}

std::int32_t ZoneRules::offsetAt(std::int64_t secondsSince1970) const {
    const auto after = std::upper_bound(transitions_.begin(), transitions_.end(), secondsSince1970,
                                        [](std::int64_t time, const ZoneTransition& t) { return time < t.at; });
    return after == transitions_.begin() ? initial_.offset : std::prev(after)->offset;
}

} // namespace platform
