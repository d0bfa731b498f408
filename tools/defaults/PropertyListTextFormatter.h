#pragma once

#include "platform/plist/PropertyList.h"

#include <string>

// Renders a property list in the old-style text form, for people to read:
//   { key = value; "other key" = ( 1, 2.5, "a b" ); }
// spread over indented lines. Strings are quoted unless they consist of
// letters, digits and _$+/:.- only; booleans are 1 and 0; dates are UTC
// ("2026-12-06 10:00:00 +0000"); UIDs look as in XML property lists
// ({"CF$UID" = 1;}). Data that holds a binary property list is shown as that
// tree, decoded (while the text stays under 16 MiB); other data as <hex>,
// grouped by four bytes. A date without a calendar date (NaN, ±1e300) says so.
class PropertyListTextFormatter {
public:
    static std::string format(const platform::PropertyList& value);
    // A top-level string as it is, without quotes; anything else as format().
    static std::string formatValue(const platform::PropertyList& value);
    static std::string quotedIfNeeded(const std::string& text);

private:
    static void append(std::string& out, const platform::PropertyList& value, int indent, int dataDepth);
    static void appendData(std::string& out, const platform::Data& data, int indent, int dataDepth);
};
