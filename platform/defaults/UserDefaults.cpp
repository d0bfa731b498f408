#include "platform/defaults/UserDefaults.h"

#include "platform/defaults/DefaultsFile.h"
#include "platform/defaults/DefaultsLocation.h"
#include "platform/defaults/DefaultsValueConversion.h"
#include "platform/defaults/GlobalDomain.h"
#include "platform/defaults/URLArchive.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/FileManager.h"
#include "platform/runloop/DispatchQueue.h"

#include <cerrno>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <mutex>

namespace platform {

struct UserDefaults::State : std::enable_shared_from_this<State> {
    explicit State(std::string name)
        : domainName(std::move(name)),
          file(DefaultsLocation::fileForDomain(domainName)),
          global(DefaultsLocation::fileForDomain(DefaultsLocation::globalDomainName)) {
        std::string notice;
        DefaultsFile::Contents contents = file.load(&notice);
        if (!notice.empty()) {
            std::cerr << "defaults: " << notice << '\n';
        }
        // Still there and unreadable: writing now would replace it.
        fileBlocked = contents.status == DefaultsFile::Status::unreadable;
        values = std::move(contents.values);
    }

    std::optional<PropertyList> object(std::string_view key) {
        {
            std::lock_guard lock(mutex);
            if (const PropertyList* value = values.find(key)) {
                return *value;
            }
        }
        return global.object(key);
    }

    // `edit` returns whether it changed anything.
    void change(const std::function<bool(PropertyListDictionary&)>& edit) {
        std::lock_guard lock(mutex);
        if (!edit(values)) {
            return;
        }
        dirty = true;
        // One block per change rather than a "scheduled" flag: a run loop that
        // is reset drops its blocks, and a flag would then never clear. The
        // first block of a turn writes everything; the others find nothing to do.
        DispatchQueue::main().async([weak = weak_from_this()] {
            if (auto state = weak.lock()) {
                std::lock_guard lock(state->mutex);
                state->flushLocked();
            }
        });
    }

    bool flushLocked() {
        if (!dirty) {
            return true;
        }
        if (fileBlocked && !unblockLocked()) {
            return false;
        }
        std::string error;
        if (!file.write(values, &error)) {
            std::cerr << "defaults: " << error << '\n';
            return false;
        }
        dirty = false;
        return true;
    }

    // Tries again to get the unreadable file out of the way; if it has become
    // readable since, its values go beneath the ones set in the meantime.
    bool unblockLocked() {
        DefaultsFile::Contents contents = file.read();
        if (contents.status == DefaultsFile::Status::unreadable && !file.moveAside()) {
            return false;
        }
        for (const auto& [key, value] : contents.values) {
            if (!values.contains(key)) {
                values.set(key, value);
            }
        }
        fileBlocked = false;
        return true;
    }

    std::mutex mutex;
    const std::string domainName;
    const DefaultsFile file;
    GlobalDomain global;
    PropertyListDictionary values;
    bool dirty = false;
    bool fileBlocked = false;
};

namespace {

std::string standardDomainName() {
    if (auto identifier = Bundle::main().bundleIdentifier(); identifier && DefaultsLocation::isValidDomainName(*identifier)) {
        return *identifier;
    }
    return program_invocation_short_name;
}

// A file URL as the URL setter stores it: absolute, and with a path inside
// the home folder as the relative text "~/...".
URL storableURL(const URL& url) {
    if (!url.isFileURL()) {
        return url;
    }
    const URL absolute = url.absoluteURL();
    const std::string path = absolute.path();
    const std::string abbreviated = FileManager::defaultManager().abbreviatingWithTildeInPath(path);
    if (abbreviated == path) {
        return absolute;
    }
    const std::string text = URL::fileURL(abbreviated, absolute.hasDirectoryPath()).relativeString();
    return URL::fromString(text).value_or(absolute);
}

// The reverse: relative text starting with "~" is a path in the home folder.
URL expandingTilde(const URL& url) {
    if (!url.relativeString().starts_with('~')) {
        return url;
    }
    auto bare = URL::fromString(url.relativeString());
    if (!bare || bare->scheme()) {
        return url;
    }
    return URL::fileURL(FileManager::defaultManager().expandingTildeInPath(bare->path()), bare->hasDirectoryPath());
}

} // namespace

UserDefaults& UserDefaults::standard() {
    // Never destroyed, so that exit handlers and late static destructors can
    // still use it; the exit handler writes what is pending.
    static UserDefaults* instance = [] {
        auto* defaults = new UserDefaults(standardDomainName());
        std::atexit([] { UserDefaults::standard().synchronize(); });
        return defaults;
    }();
    return *instance;
}

void UserDefaults::resetStandard() {
    UserDefaults& defaults = standard();
    defaults.synchronize();
    defaults.state_ = std::make_shared<State>(standardDomainName());
}

UserDefaults::UserDefaults(std::string domainName) : state_(std::make_shared<State>(std::move(domainName))) {}

UserDefaults::~UserDefaults() { synchronize(); }

std::string UserDefaults::domainName() const { return state_->domainName; }

std::string UserDefaults::path() const { return state_->file.path(); }

std::optional<PropertyList> UserDefaults::object(std::string_view key) const { return state_->object(key); }

std::optional<Data> UserDefaults::data(std::string_view key) const {
    auto value = object(key);
    if (value && value->data()) {
        return *value->data();
    }
    return std::nullopt;
}

std::optional<std::string> UserDefaults::string(std::string_view key) const {
    auto value = object(key);
    return value ? DefaultsValueConversion::string(*value) : std::nullopt;
}

double UserDefaults::doubleValue(std::string_view key) const {
    auto value = object(key);
    return value ? DefaultsValueConversion::doubleValue(*value) : 0;
}

std::int64_t UserDefaults::integer(std::string_view key) const {
    auto value = object(key);
    return value ? DefaultsValueConversion::integer(*value) : 0;
}

bool UserDefaults::boolean(std::string_view key) const {
    auto value = object(key);
    return value && DefaultsValueConversion::boolean(*value);
}

std::optional<URL> UserDefaults::url(std::string_view key) const {
    auto value = object(key);
    if (!value) {
        return std::nullopt;
    }
    if (const std::string* path = value->string()) {
        if (path->empty()) {
            return std::nullopt;
        }
        return URL::fileURL(FileManager::defaultManager().expandingTildeInPath(*path));
    }
    if (const Data* archived = value->data()) {
        if (auto url = URLArchive::unarchive(*archived)) {
            return expandingTilde(*url);
        }
    }
    return std::nullopt;
}

void UserDefaults::set(const PropertyList& value, std::string_view key) {
    state_->change([&](PropertyListDictionary& values) {
        values.set(std::string(key), value);
        return true;
    });
}

void UserDefaults::setURL(const std::optional<URL>& url, std::string_view key) {
    if (!url) {
        removeObject(key);
        return;
    }
    set(PropertyList(URLArchive::archive(storableURL(*url))), key);
}

void UserDefaults::removeObject(std::string_view key) {
    state_->change([&](PropertyListDictionary& values) { return values.remove(key); });
}

bool UserDefaults::synchronize() {
    std::lock_guard lock(state_->mutex);
    return state_->flushLocked();
}

} // namespace platform
