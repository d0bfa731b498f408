#pragma once

#include <QTimer>
#include <QWidget>

#include <memory>

namespace platform {

class ViewNode;

// A shape view, filled. While the shape animates it is drawn again at the
// display's pace from what the view presents at that moment, and the timer
// stops once the motion has ended.
class ShapeWidget final : public QWidget {
public:
    explicit ShapeWidget(QWidget* parent);

    void sync(ViewNode& shape);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void frame();

    std::weak_ptr<ViewNode> shape_;
    QTimer frames_;
};

} // namespace platform
