#include "tools/defaults/PropertyListTextFormatter.h"

#include "platform/defaults/DefaultsValueConversion.h"
#include "platform/foundation/BackslashEscaping.h"
#include "platform/plist/BinaryPropertyList.h"

#include <cmath>
#include <ctime>

using namespace platform;

namespace {

// Data inside data inside data...: past this, show the bytes.
constexpr int maximumDataDepth = 8;
// Property lists inside data are shown decoded only while the text is shorter
// than this: a small file whose nested data values share one another would
// otherwise unfold into gigabytes of text.
constexpr std::size_t maximumTextForDecoding = 16 * 1024 * 1024;

std::string indentation(int level) { return std::string(static_cast<std::size_t>(level) * 4, ' '); }

bool isBare(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::string_view("_$+/:.-").find(static_cast<char>(c)) != std::string_view::npos;
}

std::string dateText(Date date) {
    // gmtime covers years far beyond these; a NaN or a huge value has no calendar date.
    constexpr double limit = 1e15;
    const double since1970 = date.timeIntervalSince1970;
    if (!(std::fabs(since1970) < limit)) {
        return "invalid date (" + *DefaultsValueConversion::string(PropertyList(since1970)) + " s since 1970)";
    }
    const auto seconds = static_cast<std::time_t>(std::floor(since1970));
    std::tm parts{};
    ::gmtime_r(&seconds, &parts);
    char text[40];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S +0000", &parts);
    return text;
}

} // namespace

std::string PropertyListTextFormatter::quotedIfNeeded(const std::string& text) {
    bool bare = !text.empty();
    for (unsigned char c : text) {
        bare = bare && isBare(c);
    }
    if (bare) {
        return text;
    }
    return "\"" + BackslashEscaping::escaped(text, "\\U%04x") + "\"";
}

std::string PropertyListTextFormatter::format(const PropertyList& value) {
    std::string out;
    append(out, value, 0, 0);
    return out;
}

std::string PropertyListTextFormatter::formatValue(const PropertyList& value) {
    if (const std::string* text = value.string()) {
        return *text;
    }
    return format(value);
}

void PropertyListTextFormatter::append(std::string& out, const PropertyList& value, int indent, int dataDepth) {
    switch (value.kind()) {
    case PropertyList::Kind::string:
        out += quotedIfNeeded(*value.string());
        return;
    case PropertyList::Kind::integer:
    case PropertyList::Kind::real:
        out += *DefaultsValueConversion::string(value);
        return;
    case PropertyList::Kind::boolean:
        out += *value.boolean() ? "1" : "0";
        return;
    case PropertyList::Kind::date:
        out += quotedIfNeeded(dateText(*value.date()));
        return;
    case PropertyList::Kind::uid:
        out += "{\"CF$UID\" = " + std::to_string(value.uid()->value) + ";}";
        return;
    case PropertyList::Kind::data:
        appendData(out, *value.data(), indent, dataDepth);
        return;
    case PropertyList::Kind::array: {
        const PropertyListArray& items = *value.array();
        if (items.empty()) {
            out += "()";
            return;
        }
        out += "(\n";
        for (std::size_t i = 0; i < items.size(); ++i) {
            out += indentation(indent + 1);
            append(out, items[i], indent + 1, dataDepth);
            out += i + 1 < items.size() ? ",\n" : "\n";
        }
        out += indentation(indent) + ")";
        return;
    }
    case PropertyList::Kind::dictionary: {
        const PropertyListDictionary& entries = *value.dictionary();
        if (entries.empty()) {
            out += "{}";
            return;
        }
        out += "{\n";
        for (const auto& [key, item] : entries) {
            out += indentation(indent + 1) + quotedIfNeeded(key) + " = ";
            append(out, item, indent + 1, dataDepth);
            out += ";\n";
        }
        out += indentation(indent) + "}";
        return;
    }
    }
}

void PropertyListTextFormatter::appendData(std::string& out, const Data& data, int indent, int dataDepth) {
    if (dataDepth < maximumDataDepth && out.size() < maximumTextForDecoding &&
        BinaryPropertyList::looksLikeBinaryPropertyList(data)) {
        if (auto decoded = BinaryPropertyList::read(data)) {
            append(out, *decoded, indent, dataDepth + 1);
            return;
        }
    }
    static constexpr char hex[] = "0123456789abcdef";
    out += '<';
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (i > 0 && i % 4 == 0) {
            out += ' ';
        }
        out += hex[data[i] >> 4];
        out += hex[data[i] & 0x0F];
    }
    out += '>';
}
