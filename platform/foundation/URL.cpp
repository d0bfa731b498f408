#include "platform/foundation/URL.h"

#include "platform/foundation/PercentEncoding.h"

#include <cctype>
#include <filesystem>

namespace platform {

namespace {

// Relative file paths escape ":" too, so that a first segment such as "a:b"
// is not read as a scheme.
constexpr std::string_view relativePathAllowed = "!$&'()*+,;=@/";

std::string withoutTrailingSlash(const std::string& path) {
    if (path.size() > 1 && path.back() == '/') {
        return path.substr(0, path.size() - 1);
    }
    return path;
}

std::string currentDirectory() {
    std::error_code error;
    const auto directory = std::filesystem::current_path(error);
    return error ? std::string("/") : directory.string();
}

} // namespace

URL::URL(std::string text, URLComponents components, std::shared_ptr<const URL> base)
    : text_(std::move(text)), components_(std::move(components)), base_(std::move(base)) {}

std::optional<URL> URL::fromString(std::string_view text) {
    auto components = URLComponents::parse(text);
    if (!components) {
        return std::nullopt;
    }
    return URL(std::string(text), std::move(*components), nullptr);
}

std::optional<URL> URL::fromString(std::string_view text, const URL& base) {
    auto components = URLComponents::parse(text);
    if (!components) {
        return std::nullopt;
    }
    return URL(std::string(text), std::move(*components), std::make_shared<const URL>(base));
}

URL URL::fileURL(std::string_view path, bool isDirectory) {
    std::string fullPath(path.empty() ? "." : path);
    if (isDirectory && fullPath.back() != '/') {
        fullPath += '/';
    }
    if (fullPath.front() == '/') {
        std::string text = "file://" + PercentEncoding::encode(fullPath, PercentEncoding::pathAllowed);
        auto components = URLComponents::parse(text);
        return URL(std::move(text), std::move(*components), nullptr);
    }
    std::string text = PercentEncoding::encode(fullPath, relativePathAllowed);
    auto components = URLComponents::parse(text);
    return URL(std::move(text), std::move(*components), std::make_shared<const URL>(fileURL(currentDirectory(), true)));
}

URL URL::fileURL(std::string_view path) {
    std::error_code error;
    return fileURL(path, std::filesystem::is_directory(std::filesystem::path(path.empty() ? "." : path), error));
}

URLComponents URL::resolvedComponents() const {
    if (!base_) {
        return components_;
    }
    return components_.resolvedAgainst(base_->resolvedComponents());
}

std::string URL::absoluteString() const { return base_ ? resolvedComponents().text() : text_; }

URL URL::absoluteURL() const {
    if (!base_) {
        return *this;
    }
    URLComponents components = resolvedComponents();
    std::string text = components.text();
    return URL(std::move(text), std::move(components), nullptr);
}

std::optional<std::string> URL::scheme() const { return resolvedComponents().scheme; }
std::optional<std::string> URL::host() const { return resolvedComponents().host(); }
std::optional<int> URL::port() const { return resolvedComponents().port(); }
std::optional<std::string> URL::query() const { return resolvedComponents().query; }
std::optional<std::string> URL::fragment() const { return resolvedComponents().fragment; }

std::string URL::path() const {
    const std::string encoded = resolvedComponents().path;
    return withoutTrailingSlash(PercentEncoding::decode(encoded).value_or(encoded));
}

std::string URL::lastPathComponent() const {
    const std::string fullPath = path();
    if (fullPath.size() <= 1) {
        return fullPath;
    }
    return fullPath.substr(fullPath.rfind('/') + 1);
}

std::string URL::pathExtension() const {
    const std::string component = lastPathComponent();
    const auto dot = component.rfind('.');
    if (dot == std::string::npos || dot == 0) {
        return {};
    }
    return component.substr(dot + 1);
}

bool URL::hasDirectoryPath() const {
    const std::string encoded = resolvedComponents().path;
    return !encoded.empty() && encoded.back() == '/';
}

bool URL::isFileURL() const {
    const auto name = scheme();
    if (!name || name->size() != 4) {
        return false;
    }
    for (std::size_t i = 0; i < 4; ++i) {
        if (std::tolower(static_cast<unsigned char>((*name)[i])) != "file"[i]) {
            return false;
        }
    }
    return true;
}

URL URL::withPath(const std::function<std::string(const URLComponents&)>& change) const {
    URLComponents components = !components_.path.empty() || !base_ ? components_ : resolvedComponents();
    components.path = change(components);
    std::string text = components.text();
    const bool keepsBase = !components_.path.empty() && base_;
    return URL(std::move(text), std::move(components), keepsBase ? base_ : nullptr);
}

URL URL::deletingPathExtension() const {
    return withPath([](const URLComponents& components) {
        const std::string& path = components.path;
        const bool isDirectory = path.size() > 1 && path.back() == '/';
        std::string stem = withoutTrailingSlash(path);
        const auto segmentStart = stem.rfind('/') == std::string::npos ? 0 : stem.rfind('/') + 1;
        const auto dot = stem.rfind('.');
        if (dot == std::string::npos || dot <= segmentStart || dot + 1 == stem.size()) {
            return path;
        }
        stem.erase(dot);
        return isDirectory ? stem + "/" : stem;
    });
}

URL URL::appendingPathComponent(std::string_view component, bool isDirectory) const {
    return withPath([&](const URLComponents& components) {
        std::string path = components.path;
        if (path.empty() ? components.authority.has_value() : path.back() != '/') {
            path += '/';
        }
        path += PercentEncoding::encode(component, PercentEncoding::pathAllowed);
        if (isDirectory && path.back() != '/') {
            path += '/';
        }
        return path;
    });
}

URL URL::deletingLastPathComponent() const {
    return withPath([](const URLComponents& components) {
        const std::string& path = components.path;
        if (path.empty() || path == "/") {
            return path;
        }
        const std::string stem = withoutTrailingSlash(path);
        const auto lastSlash = stem.rfind('/');
        // A single relative segment leaves the directory it is relative to.
        return lastSlash == std::string::npos ? std::string("./") : stem.substr(0, lastSlash + 1);
    });
}

bool URL::operator==(const URL& other) const {
    if (text_ != other.text_ || (base_ == nullptr) != (other.base_ == nullptr)) {
        return false;
    }
    return !base_ || *base_ == *other.base_;
}

bool URL::operator<(const URL& other) const {
    if (text_ != other.text_) {
        return text_ < other.text_;
    }
    if (!base_ || !other.base_) {
        return !base_ && other.base_;
    }
    return *base_ < *other.base_;
}

std::size_t URLHash::operator()(const URL& url) const {
    std::size_t hash = std::hash<std::string>()(url.text_);
    for (const URL* base = url.baseURL(); base != nullptr; base = base->baseURL()) {
        hash = hash * 31 + std::hash<std::string>()(base->text_);
    }
    return hash;
}

} // namespace platform
