#include "platform/defaults/URLArchive.h"

#include "platform/plist/BinaryPropertyList.h"

namespace platform {

namespace {

constexpr const char* archiverName = "NSKeyedArchiver";
constexpr std::int64_t archiveVersion = 100000;
// Real URLs have at most a base or two; a longer chain is a malformed archive.
constexpr int maximumBaseDepth = 16;

class Archiver {
public:
    Archiver() { objects_.push_back(PropertyList("$null")); }

    // Objects are numbered in the order the archiver meets them: the URL,
    // then its base (depth first), its text and, once, the class description.
    std::uint64_t encode(const URL& url) {
        const std::uint64_t self = objects_.size();
        objects_.emplace_back();
        const std::uint64_t base = url.baseURL() ? encode(*url.baseURL()) : 0;
        const std::uint64_t relative = add(PropertyList(url.relativeString()));
        if (!classReference_) {
            classReference_ = add(PropertyListDictionary{
                {"$classname", PropertyList("NSURL")},
                {"$classes", PropertyList(PropertyListArray{PropertyList("NSURL"), PropertyList("NSObject")})},
            });
        }
        objects_[self] = PropertyList(PropertyListDictionary{
            {"NS.base", PropertyList(PropertyListUID{base})},
            {"NS.relative", PropertyList(PropertyListUID{relative})},
            {"$class", PropertyList(PropertyListUID{*classReference_})},
        });
        return self;
    }

    PropertyList finish(std::uint64_t root) {
        return PropertyList(PropertyListDictionary{
            {"$archiver", PropertyList(archiverName)},
            {"$version", PropertyList::integer(archiveVersion)},
            {"$objects", PropertyList(std::move(objects_))},
            {"$top", PropertyList(PropertyListDictionary{{"root", PropertyList(PropertyListUID{root})}})},
        });
    }

private:
    std::uint64_t add(PropertyList object) {
        objects_.push_back(std::move(object));
        return objects_.size() - 1;
    }

    PropertyListArray objects_;
    std::optional<std::uint64_t> classReference_;
};

class Unarchiver {
public:
    explicit Unarchiver(const PropertyListArray& objects) : objects_(objects) {}

    std::optional<URL> decode(const PropertyList& reference, int depth) const {
        const PropertyList* object = resolve(reference);
        const PropertyListDictionary* fields = object ? object->dictionary() : nullptr;
        if (!fields || depth > maximumBaseDepth || !isURLClass(fields->find("$class"))) {
            return std::nullopt;
        }
        const PropertyList* relative = resolve(fields->find("NS.relative"));
        if (!relative || !relative->string()) {
            return std::nullopt;
        }
        const PropertyList* baseReference = fields->find("NS.base");
        if (!baseReference || !baseReference->uid()) {
            return std::nullopt;
        }
        if (baseReference->uid()->value == 0) {
            return URL::fromString(*relative->string());
        }
        auto base = decode(*baseReference, depth + 1);
        if (!base) {
            return std::nullopt;
        }
        return URL::fromString(*relative->string(), *base);
    }

private:
    const PropertyList* resolve(const PropertyList* reference) const {
        if (!reference || !reference->uid() || reference->uid()->value >= objects_.size()) {
            return nullptr;
        }
        return &objects_[reference->uid()->value];
    }
    const PropertyList* resolve(const PropertyList& reference) const { return resolve(&reference); }

    bool isURLClass(const PropertyList* reference) const {
        const PropertyList* description = resolve(reference);
        const PropertyListDictionary* fields = description ? description->dictionary() : nullptr;
        const PropertyList* name = fields ? fields->find("$classname") : nullptr;
        return name && name->string() && *name->string() == "NSURL";
    }

    const PropertyListArray& objects_;
};

} // namespace

PropertyList URLArchive::archiveTree(const URL& url) {
    Archiver archiver;
    const std::uint64_t root = archiver.encode(url);
    return archiver.finish(root);
}

Data URLArchive::archive(const URL& url) { return BinaryPropertyList::write(archiveTree(url)); }

std::optional<URL> URLArchive::unarchive(const Data& data) {
    auto tree = BinaryPropertyList::read(data);
    return tree ? unarchive(*tree) : std::nullopt;
}

std::optional<URL> URLArchive::unarchive(const PropertyList& tree) {
    const PropertyListDictionary* archive = tree.dictionary();
    if (!archive) {
        return std::nullopt;
    }
    const PropertyList* archiver = archive->find("$archiver");
    const PropertyList* objects = archive->find("$objects");
    const PropertyList* top = archive->find("$top");
    if (!archiver || !archiver->string() || *archiver->string() != archiverName || !objects || !objects->array() ||
        !top || !top->dictionary()) {
        return std::nullopt;
    }
    const PropertyList* root = top->dictionary()->find("root");
    if (!root) {
        return std::nullopt;
    }
    return Unarchiver(*objects->array()).decode(*root, 0);
}

} // namespace platform
