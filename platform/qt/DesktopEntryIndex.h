#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace platform {

// The installed applications' desktop entries, found by the program their
// Exec line starts or by the application id a window gives. It reads the folders once and again only when one of
// them changed, since the frontmost application is asked for every second.
class DesktopEntryIndex {
public:
    struct Entry {
        std::string name;
        std::filesystem::path file;
    };

    // `folders` in order of precedence (an entry of the same file name in an
    // earlier folder hides the later ones); `locale` as in "de_AT" or "".
    DesktopEntryIndex(std::vector<std::filesystem::path> folders, std::string locale);

    // The folders the user's session looks in: $XDG_DATA_HOME, then $XDG_DATA_DIRS.
    static std::vector<std::filesystem::path> sessionFolders();
    // The language the user reads messages in, from LC_ALL, LC_MESSAGES or LANG.
    static std::string messagesLocale();

    // The entry whose Exec program is this executable (a resolved path).
    std::optional<Entry> entryFor(const std::filesystem::path& executable);
    // The entry a window's application id (a Wayland app id, an X11 window
    // class) names: its desktop file id ("org.example.App" for
    // org.example.App.desktop) or its StartupWMClass, in any case.
    std::optional<Entry> entryForApplicationId(const std::string& id);
    // Whether an entry of this name is a web browser (Categories=WebBrowser).
    bool namesWebBrowser(const std::string& name);

private:
    void refreshIfChanged();
    void read(const std::filesystem::path& file, const std::string& id);

    std::vector<std::filesystem::path> folders_;
    std::string locale_;
    std::vector<std::filesystem::file_time_type> stamps_;
    bool read_ = false;
    std::map<std::filesystem::path, Entry> byExecutable_;
    // Keyed in lower case.
    std::map<std::string, Entry> byApplicationId_;
    std::set<std::string> webBrowserNames_;
};

} // namespace platform
