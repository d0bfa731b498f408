#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Folderdock {

// The "Desktop Entry" group of a freedesktop .desktop file: what a Linux
// desktop shows of an application in its menus.
class DesktopEntry {
public:
    // Files beyond this are not desktop entries anyone wrote by hand or tool;
    // only their beginning is read.
    static constexpr std::size_t readLimit = 256 * 1024;

    // Lines before the group and other groups are ignored; a key given twice
    // keeps its first value.
    static DesktopEntry parse(std::string_view text);
    // Nothing when the file cannot be read.
    static std::optional<DesktopEntry> read(const std::string& path);

    // The messages locale as a POSIX name ("de_CH.UTF-8@euro"): the first
    // non-empty of LC_ALL, LC_MESSAGES and LANG.
    static std::string messagesLocale();
    // The keys a localized value is looked for under, best first: for
    // "de_CH.UTF-8@euro" Name[de_CH@euro], Name[de_CH], Name[de@euro],
    // Name[de], then Name.
    static std::vector<std::string> localizedKeys(std::string_view key, std::string_view locale);

    // The desktops the session says it is (XDG_CURRENT_DESKTOP: "GNOME",
    // "ubuntu:GNOME"), as a list.
    static std::vector<std::string> currentDesktops();

    // The Name for the locale, escapes resolved; nothing when there is none.
    std::optional<std::string> name(std::string_view locale) const;
    // Whether the desktop's menus show it, by the desktop-entry rules: an
    // application (Type=Application), neither NoDisplay nor Hidden, whose
    // TryExec and Exec programs are there, and not kept from `desktops` by
    // OnlyShowIn or NotShowIn.
    bool isShown(const std::vector<std::string>& desktops) const;

private:
    bool isTrue(const std::string& key) const;
    const std::string* value(const std::string& key) const;
    bool isMeantFor(const std::vector<std::string>& desktops) const;

    std::map<std::string, std::string> values_;
};

} // namespace Folderdock
