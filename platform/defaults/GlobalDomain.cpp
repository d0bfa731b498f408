#include "platform/defaults/GlobalDomain.h"

namespace platform {

std::optional<PropertyList> GlobalDomain::object(std::string_view key) {
    std::lock_guard lock(mutex_);
    refresh();
    if (const PropertyList* value = values_.find(key)) {
        return *value;
    }
    return std::nullopt;
}

void GlobalDomain::refresh() {
    if (read_ && FileStamp::of(file_.path()) == stamp_) {
        return;
    }
    DefaultsFile::Contents contents = file_.read();
    values_ = contents.status == DefaultsFile::Status::loaded ? std::move(contents.values) : PropertyListDictionary();
    stamp_ = contents.stamp;
    read_ = true;
}

} // namespace platform
