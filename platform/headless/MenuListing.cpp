#include "platform/headless/MenuListing.h"

#include "platform/appkit/Menu.h"
#include "platform/appkit/MenuItem.h"
#include "platform/headless/HeadlessEvent.h"

#include <cctype>

namespace platform {

namespace {

std::string collapsedSpace(const std::string& text) {
    std::string out;
    bool space = false;
    for (unsigned char c : text) {
        if (std::isspace(c)) {
            space = true;
        } else {
            if (space && !out.empty()) {
                out += ' ';
            }
            space = false;
            out += static_cast<char>(c);
        }
    }
    return out;
}

bool titleMatches(const MenuItem& item, const std::string& wanted) {
    if (item.isSeparatorItem()) {
        return false;
    }
    return item.title() == wanted || MenuListing::displayTitle(item) == wanted ||
           collapsedSpace(item.title()) == collapsedSpace(wanted);
}

// Opens a submenu for as long as it is looked into.
class SubmenuVisit {
public:
    explicit SubmenuVisit(Menu& menu) : menu_(menu), opened_(!menu.isOpen()) {
        if (opened_) {
            menu_.open();
        }
    }
    ~SubmenuVisit() {
        if (opened_) {
            menu_.close();
        }
    }
    SubmenuVisit(const SubmenuVisit&) = delete;
    SubmenuVisit& operator=(const SubmenuVisit&) = delete;

private:
    Menu& menu_;
    bool opened_;
};

} // namespace

std::string MenuListing::displayTitle(const MenuItem& item) {
    std::string quoted = quotedText(item.title());
    return quoted.substr(1, quoted.size() - 2);
}

std::vector<std::string> MenuListing::lines(Menu& menu) {
    std::vector<std::string> out;
    addLines(menu, 0, out);
    return out;
}

void MenuListing::addLines(Menu& menu, int depth, std::vector<std::string>& out) {
    const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
    // A copy: a delegate may rebuild the menu while its submenus open.
    auto items = menu.items();
    for (const auto& item : items) {
        if (item->isSeparatorItem()) {
            out.push_back(indent + "-----");
            continue;
        }
        std::string line = indent + displayTitle(*item);
        if (!item->isEnabled()) {
            line += " [disabled]";
        }
        if (!item->keyEquivalent().empty()) {
            line += " [key: " + item->keyEquivalent() + "]";
        }
        if (auto submenu = item->submenu()) {
            out.push_back(line + " >");
            SubmenuVisit visit(*submenu);
            addLines(*submenu, depth + 1, out);
        } else {
            out.push_back(line);
        }
    }
}

std::shared_ptr<MenuItem> MenuListing::find(Menu& menu, const std::string& path) { return findFrom(menu, path); }

std::shared_ptr<MenuItem> MenuListing::findFrom(Menu& menu, const std::string& path) {
    auto items = menu.items();
    // Whole rest of the path first, then ever shorter first segments.
    for (const auto& item : items) {
        if (titleMatches(*item, path)) {
            return item;
        }
    }
    for (std::size_t slash = path.rfind('/'); slash != std::string::npos && slash > 0;
         slash = path.rfind('/', slash - 1)) {
        const std::string head = path.substr(0, slash);
        const std::string rest = path.substr(slash + 1);
        for (const auto& item : items) {
            auto submenu = item->submenu();
            if (!submenu || !titleMatches(*item, head)) {
                continue;
            }
            SubmenuVisit visit(*submenu);
            if (auto found = findFrom(*submenu, rest)) {
                return found;
            }
        }
    }
    return nullptr;
}

} // namespace platform
