#include "platform/qt/QtWindow.h"

#include "platform/appkit/Panel.h"
#include "platform/appkit/Window.h"
#include "platform/qt/TrayItem.h"
#include "platform/qt/x11/X11WindowHints.h"
#include "platform/qt/views/QtColors.h"
#include "platform/qt/views/ViewBox.h"
#include "platform/views/HostingController.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>
#include <QWindow>

#include <cmath>

namespace platform {

namespace {

// The HUD style's dark, slightly see-through background and its corners.
const QColor hudBackground(28, 28, 30, 235);
constexpr double hudCornerRadius = 10;

QPalette hudPalette(QPalette palette) {
    palette.setColor(QPalette::Window, hudBackground);
    palette.setColor(QPalette::WindowText, Qt::white);
    palette.setColor(QPalette::Text, Qt::white);
    palette.setColor(QPalette::ButtonText, Qt::white);
    palette.setColor(QPalette::Button, QColor(72, 72, 74));
    palette.setColor(QPalette::Base, QColor(44, 44, 46));
    return palette;
}

// The platform's key codes for the keys its views react to; other keys go
// by their characters alone.
Event keyEvent(const QKeyEvent& key) {
    unsigned short code = 0;
    std::string characters = key.text().toStdString();
    switch (key.key()) {
    case Qt::Key_Escape:
        code = KeyCode::escape;
        characters = "\x1b";
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        code = KeyCode::returnKey;
        characters = "\r";
        break;
    case Qt::Key_Tab:
        code = KeyCode::tab;
        characters = "\t";
        break;
    default: break;
    }
    Event event = userEvent(EventType::keyDown, code, characters);
    // Control is where Linux keyboards have what the platform's command key does.
    event.modifierFlags = TrayItem::modifierFlags(key.modifiers());
    if (key.modifiers() & Qt::ControlModifier) {
        event.modifierFlags |= ModifierFlags::command;
    }
    return event;
}

} // namespace

QtWindow::QtWindow(const std::shared_ptr<Window>& window, UserAction act)
    : QWidget(nullptr), window_(window), act_(std::move(act)), renderer_(act_) {
    setObjectName(QStringLiteral("ProgramWindow"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

QtWindow::~QtWindow() = default;

bool QtWindow::shows(const Window& window) const { return window_.lock().get() == &window; }

bool QtWindow::isGone() const {
    auto window = window_.lock();
    return !window || window->isClosed();
}

bool QtWindow::isHud() const {
    auto window = window_.lock();
    return window && (window->styleMask() & WindowStyleMask::hudWindow);
}

void QtWindow::applyStyle(const Window& window) {
    if (window.styleMask() == appliedStyle_ && window.level() == appliedLevel_) {
        return;
    }
    appliedStyle_ = window.styleMask();
    appliedLevel_ = window.level();
    const bool hud = window.styleMask() & WindowStyleMask::hudWindow;
    const bool titled = window.styleMask() & WindowStyleMask::titled;
    Qt::WindowFlags flags = dynamic_cast<const Panel*>(&window) ? Qt::Tool : Qt::Window;
    if (hud || !titled) {
        flags |= Qt::FramelessWindowHint;
    } else {
        flags |= Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
        if (window.styleMask() & WindowStyleMask::closable) {
            flags |= Qt::WindowCloseButtonHint;
        }
        if (window.styleMask() & WindowStyleMask::miniaturizable) {
            flags |= Qt::WindowMinimizeButtonHint;
        }
    }
    if (window.level() >= WindowLevel::floating) {
        flags |= Qt::WindowStaysOnTopHint;
    }
    if (!window.canBecomeKeyWindow()) {
        flags |= Qt::WindowDoesNotAcceptFocus;
    }
    const bool shown = isVisible();
    setWindowFlags(flags);
    setAttribute(Qt::WA_TranslucentBackground, hud);
    setPalette(hud ? hudPalette(palette()) : QPalette());
    // The window's own background goes on the fresh palette again.
    appliedBackground_ = QColor();
    if (shown) {
        show();
    }
}

void QtWindow::syncContent(Window& window) {
    auto* hosting = dynamic_cast<HostingController*>(window.contentViewController().get());
    if (!hosting) {
        return;
    }
    hosting->graph().update();
    ViewBox* box = renderer_.sync(hosting->rootView().node(), this);
    if (box != content_) {
        layout()->addWidget(box);
        content_ = box;
    }
    // Content that does not fill the window sits in its middle.
    layout()->setAlignment(box, (box->expandsHorizontally() ? Qt::Alignment() : Qt::AlignHCenter) |
                                    (box->expandsVertically() ? Qt::Alignment() : Qt::AlignVCenter));
    box->show();
}

void QtWindow::sync() {
    auto window = window_.lock();
    if (!window) {
        hide();
        return;
    }
    applyStyle(*window);
    setWindowTitle(QString::fromStdString(window->title()));
    if (!isHud()) {
        const QColor background = QtColors::resolve(window->backgroundColor(), QPalette());
        if (background != appliedBackground_) {
            appliedBackground_ = background;
            QPalette palette;
            palette.setColor(QPalette::Window, background);
            setPalette(palette);
            setAutoFillBackground(true);
        }
    }
    if (window->isVisible()) {
        syncContent(*window);
    }
    const Size size = window->contentSize();
    if (!sized_ && size.width > 0 && size.height > 0) {
        resize(static_cast<int>(std::lround(size.width)), static_cast<int>(std::lround(size.height)));
        sized_ = true;
    }
    const bool visible = window->isVisible() && !window->isClosed();
    const bool key = window->isKeyWindow();
    if (visible && !wasVisible_) {
        // Both said before the window is made and mapped: a window that is
        // not key does not take the focus window managers give new windows,
        // and one for every workspace is shown on each.
        setAttribute(Qt::WA_ShowWithoutActivating, !key);
        if (window->collectionBehavior() & WindowCollectionBehavior::canJoinAllSpaces) {
            X11WindowHints::showOnAllDesktops(*this);
        }
        bringToFront(key);
    } else if (visible && key && !wasKey_) {
        bringToFront(true);
    } else if (visible && !key && wasKey_ && isActiveWindow()) {
        // Resigned by the program: typing goes back where the person was.
        X11WindowHints::activate(previousActive_);
    } else if (!visible && wasVisible_) {
        hide();
    }
    wasVisible_ = visible;
    wasKey_ = key;
}

void QtWindow::bringToFront(bool activate) {
    if (activate && !isActiveWindow()) {
        previousActive_ = X11WindowHints::activeWindow();
    }
    show();
    raise();
    if (activate) {
        activateWindow();
    }
}

void QtWindow::keyPressEvent(QKeyEvent* event) {
    auto window = window_.lock();
    if (!window) {
        QWidget::keyPressEvent(event);
        return;
    }
    const Event key = keyEvent(*event);
    bool handled = false;
    act_(key, [&] { handled = window->keyDown(key); });
    if (!handled) {
        QWidget::keyPressEvent(event);
    }
}

void QtWindow::closeEvent(QCloseEvent* event) {
    // The model decides; the next sync hides this window if it closed.
    event->ignore();
    if (auto window = window_.lock()) {
        act_(userEvent(EventType::leftMouseUp), [window] { window->performClose(nullptr); });
    }
}

void QtWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange) {
        return;
    }
    auto window = window_.lock();
    if (!window) {
        return;
    }
    // The desktop's focus is the model's key window.
    if (isActiveWindow() && !window->isKeyWindow()) {
        act_(userEvent(EventType::leftMouseDown), [window] { window->makeKeyWindow(); });
    } else if (!isActiveWindow() && window->isKeyWindow()) {
        act_(userEvent(EventType::leftMouseDown), [window] { window->resignKeyWindow(); });
    }
    wasKey_ = window->isKeyWindow();
}

void QtWindow::mousePressEvent(QMouseEvent* event) {
    // A frameless HUD panel moves with its background, as the platform's do.
    if (isHud() && event->button() == Qt::LeftButton && windowHandle()) {
        windowHandle()->startSystemMove();
        return;
    }
    QWidget::mousePressEvent(event);
}

void QtWindow::paintEvent(QPaintEvent* event) {
    if (!isHud()) {
        QWidget::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath outline;
    outline.addRoundedRect(QRectF(rect()), hudCornerRadius, hudCornerRadius);
    painter.fillPath(outline, hudBackground);
}

} // namespace platform
