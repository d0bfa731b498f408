#include "platform/plist/PropertyListCodingPath.h"

namespace platform {

PropertyListCodingPath::Scope PropertyListCodingPath::key(std::string_view name) {
    marks_.push_back(text_.size());
    if (!text_.empty()) {
        text_ += '.';
    }
    text_ += name;
    return Scope(*this);
}

PropertyListCodingPath::Scope PropertyListCodingPath::index(std::size_t position) {
    marks_.push_back(text_.size());
    text_ += '[' + std::to_string(position) + ']';
    return Scope(*this);
}

void PropertyListCodingPath::leave() {
    text_.resize(marks_.back());
    marks_.pop_back();
}

bool PropertyListCodingPath::fail(std::string_view message) {
    if (error_.empty()) {
        error_ = text_.empty() ? std::string(message) : text_ + ": " + std::string(message);
    }
    return false;
}

bool PropertyListCodingPath::failExpecting(PropertyList::Kind expected, const PropertyList& found) {
    return fail(std::string("expected ") + kindName(expected) + ", found " + kindName(found.kind()));
}

} // namespace platform
