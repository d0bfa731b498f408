#pragma once

#include "tests/support/TemporaryHome.h"
#include "tests/support/VirtualClockTest.h"

#include "DawnList/AppDelegate.h"
#include "Zivirodevevo/AppDelegate.h"

#include "ListEditor/ListStore.h"

#include "platform/appkit/App.h"
#include "platform/defaults/UserDefaults.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/DebugLine.h"
#include "platform/plist/PropertyListDecoder.h"
#include "platform/plist/PropertyListEncoder.h"
#include "platform/views/EmptyView.h"
#include "platform/views/HostedContent.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace list_editor_test {

// The two programs built on the list editor, as the shared tests take them:
// their values, their delegate, and "completed" values that are not their mark.
struct ZivirodevevoProgram {
    using Values = Zivirodevevo::Values;
    using Delegate = Zivirodevevo::AppDelegate;
    static std::vector<platform::PropertyList> foreignMarks() {
        return {platform::PropertyList::integer(256), platform::PropertyList::integer(-1), platform::PropertyList(true),
                platform::PropertyList(0.0)};
    }
};

struct DawnListProgram {
    using Values = DawnList::Values;
    using Delegate = DawnList::AppDelegate;
    static std::vector<platform::PropertyList> foreignMarks() {
        return {platform::PropertyList::integer(0), platform::PropertyList::integer(1), platform::PropertyList("true")};
    }
};

using Programs = ::testing::Types<ZivirodevevoProgram, DawnListProgram>;

// An entry type that launches a program's delegate behind an empty window group.
template <typename Program>
class ShellApp : public platform::App {
public:
    using Delegate = typename Program::Delegate;
    static constexpr const char* bundleIdentifier = "dev.menulets.ListEditorTest";

    std::vector<platform::Scene> body() override {
        return {platform::WindowGroup(platform::hostedContent([] { return platform::EmptyView(); }))};
    }
};

// A fresh home and defaults domain for each test, with the debug lines caught.
template <typename Program>
class ListEditorTest {
public:
    using Values = typename Program::Values;
    using Store = ListEditor::ListStore<Values>;
    using Entry = typename Values::Entry;

protected:
    ListEditorTest() { platform::setDebugOutput(&output); }
    ~ListEditorTest() {
        platform::setDebugOutput(nullptr);
        // Nothing may be left to write once the home folder is gone.
        platform::UserDefaults::standard().synchronize();
    }

    static void openDefaults() {
        platform::Bundle::setMainBundleIdentifier(ShellApp<Program>::bundleIdentifier);
        platform::UserDefaults::resetStandard();
    }

    static Entry entry(std::string text) {
        Entry made;
        made.text = std::move(text);
        return made;
    }
    static void store(const platform::PropertyList& value) {
        platform::UserDefaults::standard().set(value, Values::defaultsKey);
    }
    static void store(const std::vector<Entry>& list) {
        store(platform::PropertyList(platform::PropertyListEncoder::encode(list)));
    }
    static std::optional<platform::PropertyList> stored() {
        return platform::UserDefaults::standard().object(Values::defaultsKey);
    }
    static std::optional<std::vector<Entry>> storedList() {
        auto value = stored();
        if (!value || !value->data()) {
            return std::nullopt;
        }
        return platform::PropertyListDecoder::decode<std::vector<Entry>>(*value->data());
    }
    // What `count` saves print.
    static std::string saveLines(int count) {
        std::string lines;
        if constexpr (Values::saveDebugLine.has_value()) {
            for (int i = 0; i < count; ++i) {
                lines += platform::debugDescription(*Values::saveDebugLine) + "\n";
            }
        }
        return lines;
    }

    menulets::testing::TemporaryHome home;
    std::ostringstream output;
};

} // namespace list_editor_test
