#include "platform/appkit/DraggingInfo.h"
#include "platform/appkit/Pasteboard.h"
#include "platform/appkit/Window.h"
#include "platform/appkit/WindowDelegate.h"
#include "platform/foundation/URL.h"
#include "platform/headless/HeadlessSession.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

using Types = std::vector<PasteboardTypeName>;

TEST(PasteboardTest, DragSourcesDeclareTheTypesThePlatformsSourcesDo) {
    EXPECT_EQ(Pasteboard::forLink("https://a.example/").types(), Types{"public.url"});
    auto titled = Pasteboard::forLink("https://a.example/", "A page");
    EXPECT_EQ(titled.types(), (Types{"public.url", "public.url-name"}));
    EXPECT_EQ(titled.string(PasteboardType::URLName), "A page");
    auto file = Pasteboard::forFile(URL::fileURL("/tmp/some folder", true));
    EXPECT_EQ(file.types(), (Types{"public.file-url", "public.url"}));
    EXPECT_EQ(file.string(PasteboardType::fileURL), "file:///tmp/some%20folder/");
    EXPECT_EQ(Pasteboard::forText("hello").types(), Types{"public.utf8-plain-text"});
    EXPECT_EQ(Pasteboard().types(), std::nullopt);
}

TEST(PasteboardTest, AURLIsReadFromTheURLTypeOrElseTheFileURLType) {
    Pasteboard both;
    both.setString("file:///a/", PasteboardType::fileURL);
    both.setString("https://b.example/", PasteboardType::URL);
    EXPECT_EQ(URLFromPasteboard(both)->absoluteString(), "https://b.example/");
    Pasteboard fileOnly;
    fileOnly.setString("file:///a/", PasteboardType::fileURL);
    EXPECT_EQ(URLFromPasteboard(fileOnly)->absoluteString(), "file:///a/");
    EXPECT_EQ(URLFromPasteboard(Pasteboard::forLink("not a url")), std::nullopt);
    EXPECT_EQ(URLFromPasteboard(Pasteboard::forLink("--help")), std::nullopt) << "no scheme, no link";
    EXPECT_EQ(URLFromPasteboard(Pasteboard::forLink("/etc/passwd")), std::nullopt);
    EXPECT_EQ(URLFromPasteboard(Pasteboard::forText("https://c.example/")), std::nullopt);
    // Read as a browser reads it.
    EXPECT_EQ(URLFromPasteboard(Pasteboard::forLink("https://bücher.example/a b"))->absoluteString(),
              "https://xn--bcher-kva.example/a%20b");
}

struct Destination : WindowDelegate {
    DragOperation answer = DragOperation::copy;
    int entered = 0;
    int performed = 0;
    DragOperation draggingEntered(DraggingInfo&) override {
        ++entered;
        return answer;
    }
    bool performDragOperation(DraggingInfo&) override {
        ++performed;
        return true;
    }
};

TEST(WindowDragTest, OnlyDragsCarryingARegisteredTypeReachTheDelegate) {
    HeadlessSession session({Date{0}, "dev.menulets.Test"});
    auto window = Window::make();
    auto destination = std::make_shared<Destination>();
    window->setDelegate(destination);
    DraggingInfo text(Pasteboard::forText("x"));
    EXPECT_EQ(window->dragEntered(text), DragOperation::none) << "nothing registered yet";

    window->registerForDraggedTypes({PasteboardType::URL});
    window->registerForDraggedTypes({PasteboardType::URL});
    EXPECT_EQ(window->registeredDraggedTypes(), Types{"public.url"});
    EXPECT_EQ(window->dragEntered(text), DragOperation::none);
    EXPECT_FALSE(window->dragPerformed(text));
    DraggingInfo file(Pasteboard::forFile(URL::fileURL("/tmp", true)));
    EXPECT_EQ(window->dragEntered(file), DragOperation::copy) << "a file drag also carries public.url";
    EXPECT_TRUE(window->dragPerformed(file));
    EXPECT_EQ(destination->entered, 1);
    EXPECT_EQ(destination->performed, 1);

    destination.reset();
    EXPECT_FALSE(window->dragPerformed(file)) << "the delegate is held weakly";
}

} // namespace
