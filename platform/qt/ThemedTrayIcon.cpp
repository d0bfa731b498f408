#include "platform/qt/ThemedTrayIcon.h"

#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QStandardPaths>

namespace platform {

namespace {

class NamedPixmapEngine final : public QIconEngine {
public:
    NamedPixmapEngine(QPixmap drawn, QString name) : drawn_(std::move(drawn)), name_(std::move(name)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        painter->drawPixmap(rect, drawn_);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        return drawn_.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return {drawn_.size()}; }
    QString iconName() override { return name_; }
    QString key() const override { return QStringLiteral("menulets-named-pixmap"); }
    QIconEngine* clone() const override { return new NamedPixmapEngine(drawn_, name_); }

private:
    QPixmap drawn_;
    QString name_;
};

} // namespace

QString ThemedTrayIcon::symbolicName(const std::string& symbolName) {
    return QStringLiteral("menulets-") + QString::fromStdString(symbolName).replace(QLatin1Char('.'), QLatin1Char('-')) +
           QStringLiteral("-symbolic");
}

bool ThemedTrayIcon::isInstalled(const QString& iconName) {
    // Asked at every drawing of the icon; what is installed stays so while the program runs.
    static QHash<QString, bool> found;
    const auto known = found.constFind(iconName);
    if (known != found.constEnd()) {
        return *known;
    }
    const bool installed = !QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                   QStringLiteral("icons/hicolor/scalable/status/") + iconName +
                                                       QStringLiteral(".svg"))
                                .isEmpty();
    found.insert(iconName, installed);
    return installed;
}

QIcon ThemedTrayIcon::make(const QPixmap& drawn, const QString& iconName) {
    if (iconName.isEmpty()) {
        return QIcon(drawn);
    }
    return QIcon(new NamedPixmapEngine(drawn, iconName));
}

} // namespace platform
