#pragma once

#include <memory>
#include <string>
#include <vector>

namespace platform {

class Menu;
class MenuItem;

// A menu as text, and entries found by their title path. Both open each
// submenu they look into, so its delegate updates it and its entries are
// validated, as when the user points at it.
class MenuListing {
public:
    // One line per entry, indented by two spaces per submenu level:
    // the title (control characters escaped), " [disabled]" when it cannot be
    // chosen, " [key: q]" for a key equivalent, " >" before a submenu's
    // entries; "-----" for a separator.
    static std::vector<std::string> lines(Menu& menu);

    // The entry at a path of titles joined by "/" ("Safari | 1h 1m/apple.com | 2m").
    // A title matches as written, with its control characters escaped as in
    // the listing, or with runs of white space taken as one space; titles
    // may contain "/" themselves. Null when nothing matches.
    static std::shared_ptr<MenuItem> find(Menu& menu, const std::string& path);

    static std::string displayTitle(const MenuItem& item);

private:
    static void addLines(Menu& menu, int depth, std::vector<std::string>& out);
    static std::shared_ptr<MenuItem> findFrom(Menu& menu, const std::string& path);
};

} // namespace platform
