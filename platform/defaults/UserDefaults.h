#pragma once

#include "platform/foundation/Data.h"
#include "platform/plist/PropertyList.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

class URL;

// A program's defaults: its own domain, persisted as one binary property list
// at ${XDG_CONFIG_HOME:-~/.config}/menulets/<domain>.plist, above the global
// domain (read only here), which lookups fall through to.
//
// A change is visible to the next read at once. At the end of the current
// run-loop turn (a block on the main queue) the changes go to the writer
// thread (DefaultsWriter), which writes them coalesced and in order, so the
// main thread never waits for a disk. Writes are at least ten seconds apart:
// changes made sooner after one wait for the next (a value set every second
// is written once in ten seconds). synchronize() writes what is pending at
// once and waits for the writer, and pending changes are written when the
// process exits normally (termination and the exit handler synchronize). A write puts just the keys this program
// changed over what the file holds at that moment, so values that another
// writer (the defaults tool) put there are kept, and reads see them; setting
// what is stored writes nothing. Every write replaces
// the file atomically; a failed one is said on standard error (SaveFailures).
// A file that cannot be parsed is moved aside, kept under a new name, and the
// domain starts empty; one that cannot be read at all is left alone, never
// replaced, and the domain runs empty. Safe to use from any thread.
class UserDefaults {
public:
    // The running program's defaults, named after its bundle identifier (or
    // the program's name when it has none), opened on first use.
    static UserDefaults& standard();
    // Writes what is pending and opens standard() again for the bundle
    // identifier and environment now in force (tests switch homes with it).
    // References to standard() stay valid.
    static void resetStandard();

    // The defaults of the named domain, above the global domain.
    explicit UserDefaults(std::string domainName);
    // Writes what is pending.
    ~UserDefaults();
    UserDefaults(const UserDefaults&) = delete;
    UserDefaults& operator=(const UserDefaults&) = delete;

    std::string domainName() const;
    // Where the domain is persisted.
    std::string path() const;

    std::optional<PropertyList> object(std::string_view key) const;
    std::optional<PropertyList> value(std::string_view key) const { return object(key); }

    // The typed getters give their default for a missing value and convert
    // values of another type as DefaultsValueConversion describes.
    std::optional<Data> data(std::string_view key) const;
    std::optional<std::string> string(std::string_view key) const;
    double doubleValue(std::string_view key) const;
    std::int64_t integer(std::string_view key) const;
    bool boolean(std::string_view key) const;
    // A URL stored by setURL (an archived URL in a data value, with "~"
    // expanded in a file URL's path), or a string read as a file path.
    // Any other value is kept aside before it is replaced.
    std::optional<URL> url(std::string_view key) const;

    void set(const PropertyList& value, std::string_view key);
    // Takes the value over: a large data value is not copied.
    void set(PropertyList&& value, std::string_view key);
    // Overloads that keep literals from converting to the wrong kind
    // (a string literal to a boolean, an int to a real).
    void set(bool value, std::string_view key) { set(PropertyList(value), key); }
    void set(double value, std::string_view key) { set(PropertyList(value), key); }
    void set(int value, std::string_view key) { set(PropertyList::integer(value), key); }
    void set(long value, std::string_view key) { set(PropertyList::integer(value), key); }
    void set(long long value, std::string_view key) { set(PropertyList::integer(value), key); }
    void set(const char* value, std::string_view key) { set(PropertyList(value), key); }
    void set(const std::string& value, std::string_view key) { set(PropertyList(value), key); }
    // Setting nothing removes the key.
    void set(std::nullopt_t, std::string_view key) { removeObject(key); }
    // Archives the URL; a file URL is made absolute first, with the home
    // folder at the start of its path abbreviated to "~". Nothing removes the key.
    void setURL(const std::optional<URL>& url, std::string_view key);
    void removeObject(std::string_view key);

    // For the value stored under `key` that the program could not decode
    // (`reason` says why) and so runs without: before anything replaces or
    // removes it, it is copied to a file beside the domain's file, readable
    // as a domain of its own, and standard error names that file.
    void keepAsideBeforeReplacing(std::string_view key, std::string_view reason) const;

    // Writes pending changes now and waits until they are on disk. False when
    // the file could not be written; the changes stay pending and the next
    // change or call tries again.
    bool synchronize();

    struct State;

private:
    // standard(), and whether this very call made it (and so read its file).
    static UserDefaults& standardInstance(bool* made);
    std::shared_ptr<State> state_;
};

} // namespace platform
