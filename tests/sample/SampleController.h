#pragma once

#include "platform/appkit/Application.h"
#include "platform/appkit/Image.h"
#include "platform/appkit/Menu.h"
#include "platform/appkit/MenuDelegate.h"
#include "platform/appkit/MenuItem.h"
#include "platform/appkit/Panel.h"
#include "platform/appkit/Pasteboard.h"
#include "platform/appkit/Sound.h"
#include "platform/appkit/StatusBar.h"
#include "platform/appkit/StatusBarButton.h"
#include "platform/appkit/StatusItem.h"
#include "platform/appkit/WindowController.h"
#include "platform/appkit/WindowDelegate.h"
#include "platform/appkit/Workspace.h"
#include "platform/foundation/URL.h"
#include "platform/runloop/DispatchQueue.h"
#include "platform/runloop/RunLoop.h"
#include "tests/sample/SampleContent.h"

#include <iostream>
#include <memory>
#include <optional>
#include <string>

namespace sample {

// A small menu-bar program that uses every part of the application kit:
// item 0 counts clicks, shows a panel on option-click, quits on a right
// click and takes dropped links; item 1 has a menu rebuilt on each opening.
class SampleController : public platform::Object, public platform::WindowDelegate, public platform::MenuDelegate {
public:
    static std::shared_ptr<SampleController> make() {
        auto controller = std::make_shared<SampleController>();
        controller->setUp();
        return controller;
    }

    std::shared_ptr<platform::StatusItem> clicker;
    std::shared_ptr<platform::StatusItem> menuItem;
    std::shared_ptr<platform::WindowController> panelController;
    std::optional<platform::URL> lastLink;
    int clicks = 0;
    int ticks = 0;
    int openings = 0;
    std::string lastChoice;

    platform::DragOperation draggingEntered(platform::DraggingInfo&) override { return platform::DragOperation::copy; }

    bool performDragOperation(platform::DraggingInfo& info) override {
        const auto& pasteboard = info.draggingPasteboard();
        auto types = pasteboard.types();
        if (!types || std::find(types->begin(), types->end(), platform::PasteboardType::URL) == types->end()) {
            return false;
        }
        auto url = platform::URLFromPasteboard(pasteboard);
        if (!url) {
            return true;
        }
        lastLink = *url;
        auto title = pasteboard.string(platform::PasteboardType::URLName);
        clicker->button()->setToolTip("Last link: " + url->absoluteString() + " (" + title.value_or("no title") + ")");
        if (auto sound = platform::Sound::named("Glass")) {
            sound->play();
        }
        return true;
    }

    void menuNeedsUpdate(platform::Menu& menu) override {
        ++openings;
        menu.removeAllItems();
        menu.addItem("Opened " + std::to_string(openings) + " times", {});
        menu.addItem("Ticks: " + std::to_string(ticks), {});
        auto open = menu.addItem("Open last link", "openLink:");
        if (lastLink) {
            open->setTarget(shared_from_this());
            open->setRepresentedObject(*lastLink);
        }
        auto wrong = menu.addItem("Wrong kind", "openLink:");
        wrong->setTarget(shared_from_this());
        wrong->setRepresentedObject(42);
        menu.addItem("Nobody answers", "noSuchAction:");
        menu.addItem(platform::MenuItem::separator());
        auto more = menu.addItem("More", {});
        auto submenu = platform::Menu::make();
        auto hello = submenu->addItem("Say hello", "sayHello:");
        hello->setTarget(shared_from_this());
        auto remind = submenu->addItem("Remind me", "remind:");
        remind->setTarget(shared_from_this());
        auto tip = submenu->addItem("Leave a tip", "leaveTip:");
        tip->setTarget(shared_from_this());
        more->setSubmenu(submenu);
        menu.addItem("Preferences", "showPreferencesWindow:");
        menu.addItem("Quit", "terminate:");
    }

private:
    void setUp() {
        addAction("clicked:", [this](platform::Object*) { clicked(); });
        addAction("openLink:", [this](platform::Object* sender) { openLink(sender); });
        addAction("sayHello:", [this](platform::Object* sender) {
            lastChoice = static_cast<platform::MenuItem*>(sender)->title();
            if (auto sound = platform::Sound::named("Sosumi")) {
                sound->play();
            }
        });

        addAction("remind:", [](platform::Object*) { openOwnURL("sample://remind"); });
        addAction("leaveTip:", [](platform::Object*) { openOwnURL("sample://tip"); });

        auto& bar = platform::StatusBar::system();
        clicker = bar.statusItem(platform::StatusItem::variableLength);
        auto button = clicker->button();
        button->setTitle("0");
        button->setImage(platform::Image::systemSymbol("timer", ""));
        button->image()->setSize({bar.thickness(), bar.thickness()});
        button->setToolTip("Click to count");
        button->setTarget(shared_from_this());
        button->setAction("clicked:");
        button->sendActionOn(platform::EventMask::leftMouseUp | platform::EventMask::rightMouseUp);

        menuItem = bar.statusItem(platform::StatusItem::squareLength);
        menuItem->button()->setTitle("M");
        auto menu = platform::Menu::make("Sample");
        menu->setDelegate(sharedAs<platform::MenuDelegate>());
        menuItem->setMenu(menu);

        auto panel = platform::Panel::withContentViewController(std::make_shared<SampleContent>("Panel"));
        panel->setTitle("Sample Panel");
        panel->setFloatingPanel(true);
        panel->setHidesOnDeactivate(false);
        panelController = std::make_shared<platform::WindowController>(panel);

        platform::Timer::scheduled(1.0, true, platform::weakTimerBlock(sharedAs<SampleController>(),
                                                                       [](SampleController& self, platform::Timer&) {
                                                                           ++self.ticks;
                                                                       }));
        platform::DispatchQueue::main().async(platform::weakly(sharedAs<SampleController>(), [](SampleController& self) {
            if (auto window = self.clicker->button()->window()) {
                window->registerForDraggedTypes({platform::PasteboardType::URL});
                window->setDelegate(self.sharedAs<platform::WindowDelegate>());
            }
        }));
    }

    static void openOwnURL(const std::string& text) {
        if (auto url = platform::URL::fromString(text)) {
            platform::Workspace::shared().open(*url);
        }
    }

    void clicked() {
        auto event = platform::Application::shared().currentEvent();
        if (event && event->type == platform::EventType::rightMouseUp) {
            platform::Application::shared().terminate(this);
            return;
        }
        if (event && event->has(platform::ModifierFlags::option)) {
            auto window = panelController->window();
            if (window->isVisible()) {
                window->orderOut();
            } else {
                panelController->showWindow();
            }
            return;
        }
        ++clicks;
        clicker->button()->setTitle(std::to_string(clicks));
    }

    void openLink(platform::Object* sender) {
        auto* item = dynamic_cast<platform::MenuItem*>(sender);
        const auto* url = item ? std::any_cast<platform::URL>(&item->representedObject()) : nullptr;
        if (url == nullptr) {
            lastChoice = "not a link";
            std::cout << "\"not a link\"" << std::endl;
            return;
        }
        lastChoice = item->title();
        platform::Workspace::shared().open(*url);
    }
};

} // namespace sample
