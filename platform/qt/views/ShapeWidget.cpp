#include "platform/qt/views/ShapeWidget.h"

#include "platform/qt/views/QtColors.h"
#include "platform/qt/views/QtPaths.h"
#include "platform/views/Shape.h"
#include "platform/views/ShapeView.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <cmath>

namespace platform {

ShapeWidget::ShapeWidget(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double rate = screen && screen->refreshRate() > 1 ? screen->refreshRate() : 60;
    frames_.setInterval(static_cast<int>(std::lround(1000 / rate)));
    frames_.setTimerType(Qt::PreciseTimer);
    connect(&frames_, &QTimer::timeout, this, &ShapeWidget::frame);
}

void ShapeWidget::sync(ViewNode& shape) {
    shape_ = shape.shared_from_this();
    if (static_cast<ShapeView::Node&>(shape).isAnimating() && !frames_.isActive()) {
        frames_.start();
    }
    update();
}

void ShapeWidget::frame() {
    auto node = shape_.lock();
    if (!node || !static_cast<ShapeView::Node&>(*node).isAnimating()) {
        frames_.stop();
    }
    update();
}

void ShapeWidget::paintEvent(QPaintEvent*) {
    auto node = shape_.lock();
    if (!node) {
        return;
    }
    auto& shape = static_cast<ShapeView::Node&>(*node);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(QtPaths::painterPath(shape.presentedShape()->path(QtPaths::rectOf(rect()))),
                     QtColors::resolve(shape.resolvedFill(), palette()));
}

} // namespace platform
