#pragma once

#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace platform {

class ViewController;

// Makes the content of a new window of a scene.
using SceneContent = std::function<std::shared_ptr<ViewController>()>;

enum class WindowStyle { automatic, hiddenTitleBar };

// A scene that makes windows of the same content. The first window group
// of an application opens a window at launch.
class WindowGroup {
public:
    explicit WindowGroup(SceneContent content) : content_(std::move(content)) {}
    WindowGroup(std::string title, SceneContent content) : title_(std::move(title)), content_(std::move(content)) {}

    // URLs opened for the program go to the first group with a pattern the
    // URL's text contains ("*" matches every URL).
    WindowGroup& handlesExternalEvents(std::vector<std::string> matching) {
        patterns_ = std::move(matching);
        return *this;
    }
    WindowGroup& windowStyle(WindowStyle style) {
        style_ = style;
        return *this;
    }

    const std::string& title() const { return title_; }
    const SceneContent& content() const { return content_; }
    const std::vector<std::string>& externalEventPatterns() const { return patterns_; }
    WindowStyle style() const { return style_; }
    bool matches(const std::string& urlText) const;

private:
    std::string title_;
    SceneContent content_;
    std::vector<std::string> patterns_;
    WindowStyle style_ = WindowStyle::automatic;
};

// The settings window, opened by the "showPreferencesWindow:" action.
class Settings {
public:
    explicit Settings(SceneContent content) : content_(std::move(content)) {}
    const SceneContent& content() const { return content_; }

private:
    SceneContent content_;
};

using Scene = std::variant<WindowGroup, Settings>;

} // namespace platform
