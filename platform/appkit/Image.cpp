#include "platform/appkit/Image.h"

#include <algorithm>
#include <sstream>

namespace platform {

namespace {

struct Symbol {
    std::string name;
    // The natural size of the symbol at the default point size.
    Size size;
};

const std::vector<Symbol>& catalogue() {
    static const std::vector<Symbol> symbols{
        {"cart", {18, 15}},
        {"hourglass", {13, 17}},
        {"timer.square", {15, 15}},
        {"timer", {15, 16}},
        {"checklist", {17, 14}},
        {"apps.ipad.landscape", {21, 15}},
        {"arrowshape.bounce.right", {19, 14}},
        {"archivebox", {17, 15}},
        {"eye.fill", {20, 12}},
        {"eye.slash.fill", {20, 16}},
        {"sun.max.fill", {17, 17}},
        {"moon.stars.fill", {15, 17}},
    };
    return symbols;
}

const Symbol* findSymbol(const std::string& name) {
    const auto& symbols = catalogue();
    auto found = std::find_if(symbols.begin(), symbols.end(), [&](const Symbol& symbol) { return symbol.name == name; });
    return found == symbols.end() ? nullptr : &*found;
}

} // namespace

std::shared_ptr<Image> Image::systemSymbol(const std::string& name, const std::string& accessibilityDescription) {
    const Symbol* symbol = findSymbol(name);
    if (symbol == nullptr) {
        return nullptr;
    }
    return std::shared_ptr<Image>(new Image(name, accessibilityDescription, symbol->size));
}

bool Image::isKnownSymbol(const std::string& name) { return findSymbol(name) != nullptr; }

const std::vector<std::string>& Image::symbolNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (const auto& symbol : catalogue()) {
            all.push_back(symbol.name);
        }
        return all;
    }();
    return names;
}

std::string Image::describe() const {
    std::ostringstream out;
    out << symbolName_ << " " << size_.width << "x" << size_.height;
    if (template_) {
        out << " template";
    }
    return out.str();
}

} // namespace platform
