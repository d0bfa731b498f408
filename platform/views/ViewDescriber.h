#pragma once

#include <string>

namespace platform {

class ViewNode;

// The indented listing of a view tree, one line per view, for the console and
// tests: the kind, its texts and values, its modifiers in order, and
// "[disabled]" on controls that cannot be used. Context-menu items follow the
// view they belong to. With paths, each line starts with the view's index
// path ("/0/2"), by which the driver can name it.
//
//     VStack .padding(16)
//       TextField placeholder="Price e.g. $30.15" text="$0.00"
//       HStack
//         Spacer
//         Button "Cancel"
class ViewDescriber {
public:
    struct Options {
        bool paths = false;
    };

    ViewDescriber() = default;
    explicit ViewDescriber(Options options) : options_(options) {}

    std::string describe(const ViewNode& root) const;
    // The line of one view, without indentation or path.
    std::string line(const ViewNode& node) const;

private:
    void describe(const ViewNode& node, int depth, const std::string& role, const std::string& path,
                  std::string& out) const;

    Options options_;
};

} // namespace platform
