#include "platform/qt/views/ViewBox.h"

#include "platform/qt/views/ContextMenuEntries.h"
#include "platform/qt/views/QtColors.h"
#include "platform/qt/views/QtPaths.h"
#include "platform/views/BackgroundModifier.h"
#include "platform/views/ClipShapeModifier.h"
#include "platform/views/ContextMenuModifier.h"
#include "platform/views/FixedSizeModifier.h"
#include "platform/views/FrameModifier.h"
#include "platform/views/HelpModifier.h"
#include "platform/views/LayoutPriorityModifier.h"
#include "platform/views/OpacityModifier.h"
#include "platform/views/PaddingModifier.h"
#include "platform/views/ShadowModifier.h"
#include "platform/views/Shape.h"
#include "platform/views/ViewNode.h"

#include <QGraphicsDropShadowEffect>
#include <QGraphicsOpacityEffect>
#include <QMenu>
#include <QPainter>
#include <QVBoxLayout>

#include <cmath>
#include <limits>

namespace platform {

namespace {

int points(double length) { return static_cast<int>(std::lround(length)); }

QSizePolicy::Policy withoutShrinking(QSizePolicy::Policy policy) {
    return static_cast<QSizePolicy::Policy>(policy & ~QSizePolicy::ShrinkFlag);
}

bool isFinite(const std::optional<double>& length) {
    return std::isfinite(length.value_or(std::numeric_limits<double>::quiet_NaN()));
}

} // namespace

ViewBox::ViewBox(QWidget* parent, UserAction act) : QWidget(parent), act_(std::move(act)), layout_(new QVBoxLayout(this)) {
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    connect(this, &QWidget::customContextMenuRequested, this, &ViewBox::showContextMenu);
}

void ViewBox::applyModifiers(const ViewNode& node, QSizePolicy policy) {
    node_ = std::const_pointer_cast<ViewNode>(node.shared_from_this());
    EdgeInsets padding;
    for (const auto& modifier : node.modifiers()) {
        if (auto* pad = dynamic_cast<const PaddingModifier*>(modifier.get())) {
            padding.top += pad->insets().top;
            padding.leading += pad->insets().leading;
            padding.bottom += pad->insets().bottom;
            padding.trailing += pad->insets().trailing;
        }
    }
    const bool rightToLeft = layoutDirection() == Qt::RightToLeft;
    layout_->setContentsMargins(points(rightToLeft ? padding.trailing : padding.leading), points(padding.top),
                                points(rightToLeft ? padding.leading : padding.trailing), points(padding.bottom));

    const auto* background = node.modifier<BackgroundModifier>();
    const auto previousBackground = background_;
    const QPainterPath previousClip = clipPath();
    background_ = background ? std::optional(QtColors::resolve(background->color(), palette())) : std::nullopt;
    const auto* clip = node.modifier<ClipShapeModifier>();
    clip_ = clip ? clip->shape() : nullptr;
    const bool drawsAnew = background_ != previousBackground || clipPath() != previousClip;
    if (drawsAnew) {
        updateMask();
    }

    const auto* help = node.modifier<HelpModifier>();
    setToolTip(help ? QString::fromStdString(help->text()) : QString());
    setContextMenuPolicy(node.modifier<ContextMenuModifier>() ? Qt::CustomContextMenu : Qt::DefaultContextMenu);
    applyFrame(node, policy);
    applyEffect(node);
    // Only what the box paints itself; its widgets repaint what changed in
    // them. Painting every box at every update repainted a whole window each
    // second for a clock's one changed digit.
    if (drawsAnew) {
        update();
    }
}

// Each limit is worked out first and set once, so an unchanged frame does
// not make Qt lay the window out again.
void ViewBox::applyFrame(const ViewNode& node, QSizePolicy policy) {
    const auto* frame = node.modifier<FrameModifier>();
    static const FrameLimits none;
    const FrameLimits& limits = frame ? frame->limits() : none;
    QSize minimum(0, 0);
    QSize maximum(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (isFinite(limits.width)) {
        minimum.setWidth(points(*limits.width));
        maximum.setWidth(points(*limits.width));
    } else {
        if (isFinite(limits.minWidth)) {
            minimum.setWidth(points(*limits.minWidth));
        }
        if (isFinite(limits.maxWidth)) {
            maximum.setWidth(points(*limits.maxWidth));
        } else if (limits.maxWidth) {
            policy.setHorizontalPolicy(QSizePolicy::Expanding);
        }
    }
    if (isFinite(limits.height)) {
        minimum.setHeight(points(*limits.height));
        maximum.setHeight(points(*limits.height));
    } else {
        if (isFinite(limits.minHeight)) {
            minimum.setHeight(points(*limits.minHeight));
        }
        if (isFinite(limits.maxHeight)) {
            maximum.setHeight(points(*limits.maxHeight));
        } else if (limits.maxHeight) {
            policy.setVerticalPolicy(QSizePolicy::Expanding);
        }
    }
    // A view with a higher layout priority keeps its size when space runs
    // short; Qt's layouts take from the views that may shrink instead.
    if (const auto* priority = node.modifier<LayoutPriorityModifier>(); priority && priority->priority() > 0) {
        policy.setHorizontalPolicy(withoutShrinking(policy.horizontalPolicy()));
        policy.setVerticalPolicy(withoutShrinking(policy.verticalPolicy()));
    }
    if (const auto* fixed = node.modifier<FixedSizeModifier>()) {
        if (fixed->horizontal()) {
            policy.setHorizontalPolicy(QSizePolicy::Fixed);
        }
        if (fixed->vertical()) {
            policy.setVerticalPolicy(QSizePolicy::Fixed);
        }
    }
    setMinimumSize(minimum);
    setMaximumSize(maximum);
    setSizePolicy(policy);
}

void ViewBox::applyEffect(const ViewNode& node) {
    // A widget has one effect: a shadow, else an opacity below one. A view
    // drawn fully transparent still takes clicks, as the platform's do.
    if (const auto* shadow = node.modifier<ShadowModifier>()) {
        auto* effect = qobject_cast<QGraphicsDropShadowEffect*>(graphicsEffect());
        if (!effect) {
            effect = new QGraphicsDropShadowEffect;
            setGraphicsEffect(effect);
        }
        effect->setColor(QtColors::resolve(shadow->color(), palette()));
        effect->setBlurRadius(2 * shadow->radius());
        effect->setOffset(shadow->x(), shadow->y());
        return;
    }
    const auto* opacity = node.modifier<OpacityModifier>();
    if (opacity && opacity->opacity() < 1) {
        auto* effect = qobject_cast<QGraphicsOpacityEffect*>(graphicsEffect());
        if (!effect) {
            effect = new QGraphicsOpacityEffect;
            setGraphicsEffect(effect);
        }
        effect->setOpacity(std::max(0.0, opacity->opacity()));
        return;
    }
    if (graphicsEffect()) {
        setGraphicsEffect(nullptr);
    }
}

// A box given a fixed length keeps it, whatever is inside.
bool ViewBox::expandsHorizontally() const {
    return (sizePolicy().horizontalPolicy() & QSizePolicy::ExpandFlag) && minimumWidth() != maximumWidth();
}

bool ViewBox::expandsVertically() const {
    return (sizePolicy().verticalPolicy() & QSizePolicy::ExpandFlag) && minimumHeight() != maximumHeight();
}

void ViewBox::paintEvent(QPaintEvent*) {
    if (!background_) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (clip_) {
        painter.fillPath(QtPaths::painterPath(clip_->path(QtPaths::rectOf(rect()))), *background_);
    } else {
        painter.fillRect(rect(), *background_);
    }
}

void ViewBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    updateMask();
}

QPainterPath ViewBox::clipPath() const {
    return clip_ ? QtPaths::painterPath(clip_->path(QtPaths::rectOf(rect()))) : QPainterPath();
}

void ViewBox::updateMask() {
    if (!clip_) {
        clearMask();
        return;
    }
    // The content is cut to the shape as well; a mask has no soft edges, the
    // background drawn inside it does.
    setMask(QRegion(clipPath().toFillPolygon().toPolygon()));
}

void ViewBox::showContextMenu(const QPoint& at) {
    auto node = node_.lock();
    const auto* modifier = node ? node->modifier<ContextMenuModifier>() : nullptr;
    if (!modifier) {
        return;
    }
    // Shown without a loop of its own; it goes once it has closed.
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    ContextMenuEntries::add(*menu, *modifier, act_);
    menu->popup(mapToGlobal(at));
}

} // namespace platform
