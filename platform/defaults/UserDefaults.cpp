#include "platform/defaults/UserDefaults.h"

#include "platform/defaults/DefaultsFile.h"
#include "platform/defaults/DefaultsLocation.h"
#include "platform/defaults/DefaultsValueConversion.h"
#include "platform/defaults/DefaultsWriter.h"
#include "platform/defaults/GlobalDomain.h"
#include "platform/defaults/URLArchive.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/Diagnostics.h"
#include "platform/foundation/FileManager.h"
#include "platform/foundation/SaveFailures.h"
#include "platform/runloop/Clock.h"
#include "platform/runloop/DispatchQueue.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <map>
#include <mutex>
#include <tuple>
#include <utility>
#include <vector>

namespace platform {

struct UserDefaults::State : std::enable_shared_from_this<State> {
    explicit State(std::string name)
        : domainName(std::move(name)),
          file(DefaultsLocation::fileForDomain(domainName)),
          global(DefaultsLocation::fileForDomain(DefaultsLocation::globalDomainName)) {
        file.removeStaleTemporaryFiles();
        std::lock_guard lock(mutex);
        readFileLocked();
    }

    std::optional<PropertyList> object(std::string_view key) {
        {
            std::lock_guard lock(mutex);
            // A removal not yet written shows what lies beneath: the global domain.
            if (const Change* change = findChange(key)) {
                if (change->value) {
                    return change->value;
                }
            } else {
                refreshLocked();
                if (const PropertyList* value = stored.find(key)) {
                    return *value;
                }
            }
        }
        return global.object(key);
    }

    // Records the new value of `key` (nothing removes it) for the next write.
    void change(std::string_view key, std::optional<PropertyList> value) {
        std::lock_guard lock(mutex);
        if (Change* change = findChange(key)) {
            change->value = std::move(value);
            change->generation = ++lastGeneration;
        } else {
            // Setting what is already stored changes nothing and writes nothing.
            refreshLocked();
            const PropertyList* current = stored.find(key);
            if (value ? current && *current == *value : !current) {
                return;
            }
            changes.push_back({std::string(key), std::move(value), ++lastGeneration});
        }
        // One block per change rather than a "scheduled" flag: a run loop that
        // is reset drops its blocks, and a flag would then never clear. Writes
        // are coalesced: the first change after a quiet spell is written at the
        // end of this turn, later ones once coalescingInterval has passed since
        // the last write was handed over, so a value set every second (a
        // running count) costs one write in that time. The first block due
        // hands everything over; the others find nothing left, or find that a
        // write was handed over since they were posted, after which every
        // change has posted a block of its own, due later.
        auto handOver = [weak = weak_from_this()] {
            if (auto state = weak.lock()) {
                std::unique_lock lock(state->mutex);
                if (state->writeIsDueLocked()) {
                    state->flush(lock);
                }
            }
        };
        const double wait = lastHandOver ? *lastHandOver + coalescingInterval - Clock::current().uptime() : 0;
        if (wait > 0) {
            DispatchQueue::main().asyncAfter(wait, std::move(handOver));
        } else {
            DispatchQueue::main().async(std::move(handOver));
        }
    }

    void keepAsideBeforeReplacing(std::string_view key, std::string_view reason) {
        std::lock_guard lock(mutex);
        undecodable.insert_or_assign(std::string(key), std::string(reason));
    }

    bool writeIsDueLocked() const {
        // A millisecond absorbs the rounding of a deadline computed from a wait.
        return !lastHandOver || Clock::current().uptime() + 0.001 >= *lastHandOver + coalescingInterval;
    }

    // Hands the changes to the writer thread and lets go of the mutex, first:
    // the write takes the mutex at once, and would wake only to wait for it.
    // A write already asked for takes every change made until it starts.
    void flush(std::unique_lock<std::mutex>& lock) {
        if (changes.empty() || writeScheduled) {
            lock.unlock();
            return;
        }
        writeScheduled = true;
        lastHandOver = Clock::current().uptime();
        lock.unlock();
        DefaultsWriter::shared().submit([state = shared_from_this()] { state->write(); });
    }

    // Writes what is pending and waits for it; false when it could not be written.
    bool synchronize() {
        std::unique_lock lock(mutex);
        flush(lock);
        DefaultsWriter::shared().waitUntilIdle();
        lock.lock();
        return changes.empty();
    }

private:
    struct Change {
        std::string key;
        std::optional<PropertyList> value;
        // Orders changes, so that a write forgets only those it wrote.
        std::uint64_t generation;
    };

    // On the writer thread. Puts only the keys this program changed over what
    // the file holds now, so that values other writers put there meanwhile
    // survive. The lock is held only to take and to record: the encoding and
    // the disk work happen without it, so readers never wait for a disk.
    void write() {
        std::unique_lock lock(mutex);
        writeScheduled = false;
        if (changes.empty()) {
            return;
        }
        // Held from the read below to the rename: another writer's value that
        // lands in between would be lost. Taken without the mutex, which
        // readers need, since another writer may hold the file lock a while.
        lock.unlock();
        const FileLock fileLock = file.lockForWriting();
        lock.lock();
        refreshLocked();
        if (fileBlocked) {
            failLocked("defaults: cannot write " + file.path() + ": " + blockReason + "; it is left as it is");
            return;
        }
        PropertyListDictionary merged = stored;
        std::uint64_t written = 0;
        for (const Change& change : changes) {
            if (change.value) {
                merged.set(change.key, *change.value);
            } else {
                merged.remove(change.key);
            }
            written = std::max(written, change.generation);
        }
        const auto replaced = undecodableValuesReplacedLocked();
        lock.unlock();

        for (const auto& [key, value, reason] : replaced) {
            std::string error;
            const auto keptAt = file.keepAside(key, value, &error);
            if (!keptAt) {
                lock.lock();
                failLocked("defaults: " + error + "; " + key + " is not replaced");
                return;
            }
            Diagnostics::say("defaults: the value of " + key + " could not be used (" + reason + "); it is kept in " +
                             *keptAt);
        }
        std::string error;
        // Changes wait up to coalescingInterval for their write: a power cut
        // loses as much whether or not the folder is flushed, and flushing it
        // would have every write wait for the disk once more.
        const bool ok = file.write(merged, &error, FileManager::Flush::contents);

        lock.lock();
        for (const auto& kept : replaced) {
            undecodable.erase(std::get<0>(kept));
        }
        if (!ok) {
            failLocked("defaults: " + error);
            return;
        }
        SaveFailures::recordSuccess(file.path());
        if (retryDelay != 0) {
            // A failure that stood is over: a turn of the main loop lets
            // whatever shows it (the desktop's tooltip) look again.
            retryDelay = 0;
            DispatchQueue::main().async([] {});
        }
        stored = std::move(merged);
        stamp = FileStamp::of(file.path());
        std::erase_if(changes, [&](const Change& change) { return change.generation <= written; });
    }

    Change* findChange(std::string_view key) {
        const auto found =
            std::find_if(changes.begin(), changes.end(), [&](const Change& change) { return change.key == key; });
        return found == changes.end() ? nullptr : &*found;
    }

    // Reads the file again when another writer replaced, changed or removed it.
    void refreshLocked() {
        if (FileStamp::of(file.path()) != stamp) {
            readFileLocked();
        }
    }

    void readFileLocked() {
        std::string notice;
        DefaultsFile::Contents contents = file.load(&notice);
        // A loaded file's stamp is of the very version read; a bad file, or
        // none, is stamped as it is now, after any move aside.
        stamp = contents.status == DefaultsFile::Status::loaded ? contents.stamp : FileStamp::of(file.path());
        if (!notice.empty()) {
            Diagnostics::say("defaults: " + notice);
        }
        // A bad file that is still there must not be replaced by a write.
        fileBlocked = contents.status == DefaultsFile::Status::unreadable ||
                      contents.status == DefaultsFile::Status::corrupt;
        blockReason = fileBlocked ? contents.error : std::string();
        stored = std::move(contents.values);
    }

    // The stored values the pending changes replace that the program could not
    // decode: each is copied to a file of its own before it is replaced, never
    // destroyed, only set aside.
    std::vector<std::tuple<std::string, PropertyList, std::string>> undecodableValuesReplacedLocked() {
        std::vector<std::tuple<std::string, PropertyList, std::string>> replaced;
        for (const auto& [key, reason] : undecodable) {
            const PropertyList* value = stored.find(key);
            if (value && findChange(key)) {
                replaced.emplace_back(key, *value, reason);
            }
        }
        return replaced;
    }

    // The changes stay pending and are tried again, sooner at first, so that
    // they reach the disk once it has room again without waiting for the
    // next change or the end of the program.
    bool failLocked(const std::string& message) {
        SaveFailures::recordFailure(file.path(), message);
        if (!retryScheduled) {
            retryScheduled = true;
            retryDelay = std::min(retryDelay == 0 ? firstRetryDelay : retryDelay * 2, longestRetryDelay);
            DispatchQueue::main().asyncAfter(retryDelay, [weak = weak_from_this()] {
                if (auto state = weak.lock()) {
                    std::unique_lock lock(state->mutex);
                    state->retryScheduled = false;
                    state->flush(lock);
                }
            });
        }
        return false;
    }

    static constexpr double firstRetryDelay = 5;
    static constexpr double longestRetryDelay = 300;
    static constexpr double coalescingInterval = 10;

public:
    std::mutex mutex;
    const std::string domainName;
    const DefaultsFile file;
    GlobalDomain global;

private:
    // The file's values as last read or written, and the version they came from.
    PropertyListDictionary stored;
    std::optional<FileStamp> stamp;
    // Keys set (or removed: no value) and not yet written, in the order first changed.
    std::vector<Change> changes;
    std::uint64_t lastGeneration = 0;
    bool writeScheduled = false;
    // The uptime at which the last write was handed to the writer.
    std::optional<double> lastHandOver;
    // A failed write is tried again after retryDelay seconds.
    bool retryScheduled = false;
    double retryDelay = 0;
    // Keys whose stored value could not be decoded, with the reason.
    std::map<std::string, std::string> undecodable;
    bool fileBlocked = false;
    std::string blockReason;
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

UserDefaults& UserDefaults::standard() { return standardInstance(nullptr); }

UserDefaults& UserDefaults::standardInstance(bool* made) {
    // Never destroyed, so that exit handlers and late static destructors can
    // still use it; the exit handler writes what is pending.
    static UserDefaults* instance = [made] {
        auto* defaults = new UserDefaults(standardDomainName());
        std::atexit([] { UserDefaults::standard().synchronize(); });
        if (made != nullptr) {
            *made = true;
        }
        return defaults;
    }();
    return *instance;
}

void UserDefaults::resetStandard() {
    bool made = false;
    UserDefaults& defaults = standardInstance(&made);
    // Just made, it has read its file: a store of some megabytes is not read twice at start.
    if (made) {
        return;
    }
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
    keepAsideBeforeReplacing(key, "not an archived URL or a path");
    return std::nullopt;
}

void UserDefaults::set(const PropertyList& value, std::string_view key) { state_->change(key, value); }

void UserDefaults::set(PropertyList&& value, std::string_view key) { state_->change(key, std::move(value)); }

void UserDefaults::setURL(const std::optional<URL>& url, std::string_view key) {
    if (!url) {
        removeObject(key);
        return;
    }
    set(PropertyList(URLArchive::archive(storableURL(*url))), key);
}

void UserDefaults::removeObject(std::string_view key) { state_->change(key, std::nullopt); }

void UserDefaults::keepAsideBeforeReplacing(std::string_view key, std::string_view reason) const {
    state_->keepAsideBeforeReplacing(key, reason);
}

bool UserDefaults::synchronize() { return state_->synchronize(); }

} // namespace platform
