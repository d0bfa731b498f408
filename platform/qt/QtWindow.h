#pragma once

#include "platform/qt/views/UserAction.h"
#include "platform/qt/views/ViewRenderer.h"

#include <QWidget>

#include <cstdint>
#include <memory>

namespace platform {

class ViewBox;
class Window;

// One of the program's windows or panels as a top-level Qt window. It
// refers to the model window weakly and brings itself up to date from it in
// sync(): title, size, style (a HUD panel is dark, translucent, frameless and
// moved by dragging its background), level, visibility and its views. What
// the person does (keys, the close button, focus) goes back to the model.
class QtWindow final : public QWidget {
public:
    QtWindow(const std::shared_ptr<Window>& window, UserAction act);
    ~QtWindow() override;

    bool shows(const Window& window) const;
    // The model window is gone or closed: this one can go.
    bool isGone() const;
    void sync();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void applyStyle(const Window& window);
    void syncContent(Window& window);
    void bringToFront(bool activate);
    bool isHud() const;

    std::weak_ptr<Window> window_;
    UserAction act_;
    ViewRenderer renderer_;
    ViewBox* content_ = nullptr;
    std::uint64_t appliedStyle_ = ~std::uint64_t{0};
    int appliedLevel_ = -1;
    QColor appliedBackground_;
    bool wasVisible_ = false;
    bool wasKey_ = false;
    bool sized_ = false;
    // The window that had the focus before this one took it (X11).
    std::uint32_t previousActive_ = 0;
};

} // namespace platform
