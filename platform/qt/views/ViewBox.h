#pragma once

#include "platform/qt/views/UserAction.h"

#include <QColor>
#include <QPainterPath>
#include <QWidget>

#include <memory>
#include <optional>

class QBoxLayout;
class QGraphicsEffect;

namespace platform {

class Shape;
class ViewNode;

// The widget of one view: its content (a control, a text, the boxes of its
// children) inside the space its modifiers give it. The box draws the
// background (clipped to the clip shape), keeps the padding as margins, the
// frame, fixed size and layout priority as size limits and policies, and
// carries the tooltip, the context menu, the shadow or opacity.
class ViewBox final : public QWidget {
public:
    ViewBox(QWidget* parent, UserAction act);

    // The layout that holds the content (a widget or the children's boxes).
    QBoxLayout& contentLayout() { return *layout_; }
    // Brings the box's modifiers up to date with the node; `policy` is the
    // size policy of its content, which the frame may change.
    void applyModifiers(const ViewNode& node, QSizePolicy policy);

    // Whether the box takes the space offered along each axis.
    bool expandsHorizontally() const;
    bool expandsVertically() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void applyFrame(const ViewNode& node, QSizePolicy policy);
    void applyEffect(const ViewNode& node);
    void showContextMenu(const QPoint& at);
    void updateMask();
    // The clip shape's outline at the box's size; empty without one.
    QPainterPath clipPath() const;

    UserAction act_;
    QBoxLayout* layout_;
    std::weak_ptr<ViewNode> node_;
    std::optional<QColor> background_;
    std::shared_ptr<const Shape> clip_;
};

} // namespace platform
