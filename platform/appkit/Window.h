#pragma once

#include "platform/appkit/Color.h"
#include "platform/appkit/Event.h"
#include "platform/appkit/Geometry.h"
#include "platform/appkit/PasteboardType.h"
#include "platform/appkit/Responder.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

class ViewController;
class WindowDelegate;
class DraggingInfo;
enum class DragOperation : unsigned;

// Style-mask bits with the platform's values.
struct WindowStyleMask {
    static constexpr std::uint64_t borderless = 0;
    static constexpr std::uint64_t titled = 1ULL << 0;
    static constexpr std::uint64_t closable = 1ULL << 1;
    static constexpr std::uint64_t miniaturizable = 1ULL << 2;
    static constexpr std::uint64_t resizable = 1ULL << 3;
    static constexpr std::uint64_t utilityWindow = 1ULL << 4;
    static constexpr std::uint64_t nonactivatingPanel = 1ULL << 7;
    static constexpr std::uint64_t hudWindow = 1ULL << 13;
    static constexpr std::uint64_t fullSizeContentView = 1ULL << 15;
    // What a window made for a content view controller gets.
    static constexpr std::uint64_t standard = titled | closable | miniaturizable | resizable;
};

// Window levels: windows of a higher level stay in front.
struct WindowLevel {
    static constexpr int normal = 0;
    static constexpr int floating = 3;
    static constexpr int statusBar = 25;
};

struct WindowCollectionBehavior {
    static constexpr std::uint64_t defaultBehavior = 0;
    static constexpr std::uint64_t canJoinAllSpaces = 1ULL << 0;
    static constexpr std::uint64_t moveToActiveSpace = 1ULL << 1;
    static constexpr std::uint64_t managed = 1ULL << 2;
    static constexpr std::uint64_t transient = 1ULL << 3;
    static constexpr std::uint64_t stationary = 1ULL << 4;
};

enum class TitlebarSeparatorStyle { automatic = 0, none = 1, line = 2, shadow = 3 };

// A window of the application. Every window is in the application's list
// from creation until it is closed; showing it again puts it back.
// The model keeps only state: the backend in use shows it.
class Window : public Responder {
public:
    // A window with the platform's default style for content windows.
    static std::shared_ptr<Window> make();
    static std::shared_ptr<Window> withContentViewController(std::shared_ptr<ViewController> controller);
    ~Window() override;

    // A short number naming the window in listings, unique in the process.
    int windowNumber() const { return number_; }
    // "window", "panel" or "status bar window", for listings.
    virtual std::string kind() const { return "window"; }

    const std::string& title() const { return title_; }
    void setTitle(std::string title);
    Size contentSize() const { return contentSize_; }
    void setContentSize(Size size);
    TitlebarSeparatorStyle titlebarSeparatorStyle() const { return separatorStyle_; }
    void setTitlebarSeparatorStyle(TitlebarSeparatorStyle style);
    const Color& backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(Color color);
    std::uint64_t styleMask() const { return styleMask_; }
    void setStyleMask(std::uint64_t mask);
    int level() const { return level_; }
    void setLevel(int level);
    std::uint64_t collectionBehavior() const { return collectionBehavior_; }
    void setCollectionBehavior(std::uint64_t behavior);
    bool isReleasedWhenClosed() const { return releasedWhenClosed_; }
    void setReleasedWhenClosed(bool released) { releasedWhenClosed_ = released; }
    virtual bool hidesOnDeactivate() const { return false; }

    std::shared_ptr<ViewController> contentViewController() const { return contentViewController_; }
    void setContentViewController(std::shared_ptr<ViewController> controller);

    std::shared_ptr<WindowDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<WindowDelegate>& delegate) { delegate_ = delegate; }

    bool isVisible() const { return visible_; }
    bool isKeyWindow() const;
    // A window with neither a title bar nor the HUD style cannot be key.
    virtual bool canBecomeKeyWindow() const;

    void makeKeyAndOrderFront(Object* sender = nullptr);
    void orderFront(Object* sender = nullptr);
    // Brings the window in front even though the application is not active.
    void orderFrontRegardless();
    void orderOut(Object* sender = nullptr);
    void makeKeyWindow();
    void resignKeyWindow();
    // Hides the window and takes it out of the application's list; the
    // delegate may refuse through windowShouldClose only for performClose.
    void close();
    void performClose(Object* sender = nullptr);
    bool isClosed() const { return closed_; }

    // Drags carrying one of these types reach the delegate.
    void registerForDraggedTypes(const std::vector<PasteboardTypeName>& types);
    const std::vector<PasteboardTypeName>& registeredDraggedTypes() const { return draggedTypes_; }
    bool acceptsDragTypes(const std::vector<PasteboardTypeName>& types) const;

    // The window server's side of a drag over this window: enters, and drops
    // if the delegate answered an operation. Returns whether the drop was taken.
    DragOperation dragEntered(DraggingInfo& info);
    bool dragPerformed(DraggingInfo& info);

    // A key pressed while this window is key: offered to its content.
    bool keyDown(const Event& event);

    // Called by the application when it stops and starts being active.
    void applicationDidResignActive();
    void applicationWillBecomeActive();

protected:
    Window();

private:
    void show(bool makeKey);
    void setVisible(bool visible);

    int number_;
    std::string title_;
    Size contentSize_{480, 270};
    TitlebarSeparatorStyle separatorStyle_ = TitlebarSeparatorStyle::automatic;
    Color backgroundColor_ = Color::windowBackground();
    std::uint64_t styleMask_ = WindowStyleMask::standard;
    int level_ = WindowLevel::normal;
    std::uint64_t collectionBehavior_ = WindowCollectionBehavior::defaultBehavior;
    bool releasedWhenClosed_ = true;
    bool visible_ = false;
    bool closed_ = false;
    bool hiddenByDeactivation_ = false;
    std::shared_ptr<ViewController> contentViewController_;
    std::weak_ptr<WindowDelegate> delegate_;
    std::vector<PasteboardTypeName> draggedTypes_;
};

} // namespace platform
