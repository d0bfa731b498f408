#include "platform/appkit/Window.h"

#include "platform/appkit/Application.h"
#include "platform/appkit/Backend.h"
#include "platform/appkit/DraggingInfo.h"
#include "platform/appkit/ViewController.h"
#include "platform/appkit/WindowDelegate.h"

#include <algorithm>
#include <atomic>

namespace platform {

namespace {
int nextWindowNumber() {
    static std::atomic<int> counter{0};
    return ++counter;
}
} // namespace

Window::Window() : number_(nextWindowNumber()) {}

Window::~Window() = default;

std::shared_ptr<Window> Window::make() {
    std::shared_ptr<Window> window(new Window());
    Application::shared().addWindow(window);
    return window;
}

std::shared_ptr<Window> Window::withContentViewController(std::shared_ptr<ViewController> controller) {
    auto window = make();
    window->setContentViewController(std::move(controller));
    return window;
}

void Window::setTitle(std::string title) {
    title_ = std::move(title);
}

void Window::setContentSize(Size size) {
    contentSize_ = Size{std::max(0.0, size.width), std::max(0.0, size.height)};
}

void Window::setTitlebarSeparatorStyle(TitlebarSeparatorStyle style) {
    separatorStyle_ = style;
}

void Window::setBackgroundColor(Color color) {
    backgroundColor_ = std::move(color);
}

void Window::setStyleMask(std::uint64_t mask) {
    styleMask_ = mask;
    if (!canBecomeKeyWindow() && isKeyWindow()) {
        resignKeyWindow();
    }
}

void Window::setLevel(int level) {
    level_ = level;
}

void Window::setCollectionBehavior(std::uint64_t behavior) {
    collectionBehavior_ = behavior;
}

void Window::setContentViewController(std::shared_ptr<ViewController> controller) {
    if (contentViewController_) {
        contentViewController_->window_.reset();
    }
    contentViewController_ = std::move(controller);
    if (contentViewController_) {
        contentViewController_->window_ = std::static_pointer_cast<Window>(shared_from_this());
        Size preferred = contentViewController_->preferredContentSize();
        if (preferred.width > 0 && preferred.height > 0) {
            contentSize_ = preferred;
        }
        if (visible_) {
            contentViewController_->viewWillAppear();
            contentViewController_->viewDidAppear();
        }
    }
}

bool Window::isKeyWindow() const { return Application::shared().keyWindow().get() == this; }

bool Window::canBecomeKeyWindow() const {
    return (styleMask_ & (WindowStyleMask::titled | WindowStyleMask::hudWindow)) != 0;
}

void Window::setVisible(bool visible) {
    if (visible == visible_) {
        return;
    }
    auto keepAlive = shared_from_this();
    if (visible) {
        if (contentViewController_) {
            contentViewController_->viewWillAppear();
        }
        visible_ = true;
        if (auto* backend = Backend::installed()) {
            backend->windowShown(*this);
        }
        if (contentViewController_) {
            contentViewController_->viewDidAppear();
        }
    } else {
        visible_ = false;
        if (isKeyWindow()) {
            resignKeyWindow();
        }
        if (!closed_) {
            if (auto* backend = Backend::installed()) {
                backend->windowHidden(*this);
            }
        }
        if (contentViewController_) {
            contentViewController_->viewDidDisappear();
        }
    }
}

void Window::show(bool makeKey) {
    hiddenByDeactivation_ = false;
    if (closed_) {
        // A closed window that its owner kept comes back into the list.
        closed_ = false;
        Application::shared().addWindow(std::static_pointer_cast<Window>(shared_from_this()));
    }
    setVisible(true);
    if (makeKey) {
        makeKeyWindow();
    }
}

void Window::makeKeyAndOrderFront(Object*) { show(true); }

void Window::orderFront(Object*) { show(false); }

void Window::orderFrontRegardless() { show(false); }

void Window::orderOut(Object*) {
    hiddenByDeactivation_ = false;
    setVisible(false);
}

void Window::makeKeyWindow() {
    if (!visible_ || !canBecomeKeyWindow() || isKeyWindow()) {
        return;
    }
    Application::shared().windowBecameKey(this);
    if (auto delegate = delegate_.lock()) {
        delegate->windowDidBecomeKey(*this);
    }
}

void Window::resignKeyWindow() {
    if (!isKeyWindow()) {
        return;
    }
    Application::shared().windowResignedKey(this);
    if (auto delegate = delegate_.lock()) {
        delegate->windowDidResignKey(*this);
    }
}

void Window::performClose(Object*) {
    if (auto delegate = delegate_.lock(); delegate && !delegate->windowShouldClose(*this)) {
        return;
    }
    close();
}

void Window::close() {
    if (closed_) {
        return;
    }
    auto keepAlive = shared_from_this();
    if (auto delegate = delegate_.lock()) {
        delegate->windowWillClose(*this);
    }
    closed_ = true;
    hiddenByDeactivation_ = false;
    setVisible(false);
    if (auto* backend = Backend::installed()) {
        backend->windowClosed(*this);
    }
    Application::shared().removeWindow(*this);
}

void Window::registerForDraggedTypes(const std::vector<PasteboardTypeName>& types) {
    for (const auto& type : types) {
        if (std::find(draggedTypes_.begin(), draggedTypes_.end(), type) == draggedTypes_.end()) {
            draggedTypes_.push_back(type);
        }
    }
}

bool Window::acceptsDragTypes(const std::vector<PasteboardTypeName>& types) const {
    return std::any_of(types.begin(), types.end(), [this](const PasteboardTypeName& type) {
        return std::find(draggedTypes_.begin(), draggedTypes_.end(), type) != draggedTypes_.end();
    });
}

DragOperation Window::dragEntered(DraggingInfo& info) {
    auto types = info.draggingPasteboard().types();
    auto delegate = delegate_.lock();
    if (!types || !acceptsDragTypes(*types) || !delegate || carriesScriptLink(info.draggingPasteboard())) {
        return DragOperation::none;
    }
    return delegate->draggingEntered(info);
}

bool Window::dragPerformed(DraggingInfo& info) {
    auto types = info.draggingPasteboard().types();
    auto delegate = delegate_.lock();
    if (!types || !acceptsDragTypes(*types) || !delegate || carriesScriptLink(info.draggingPasteboard())) {
        return false;
    }
    return delegate->performDragOperation(info);
}

bool Window::keyDown(const Event& event) {
    return contentViewController_ && contentViewController_->keyDown(event);
}

void Window::applicationDidResignActive() {
    if (hidesOnDeactivate() && visible_) {
        setVisible(false);
        hiddenByDeactivation_ = true;
    }
}

void Window::applicationWillBecomeActive() {
    if (hiddenByDeactivation_ && !closed_) {
        hiddenByDeactivation_ = false;
        setVisible(true);
    }
}

} // namespace platform
