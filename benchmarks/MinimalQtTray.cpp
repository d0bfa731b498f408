// The smallest tray program Qt makes: one icon and nothing else. The desktop
// measure (desktop_measure.py) reports its memory beside a utility's.
#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QSystemTrayIcon>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QPixmap pixmap(22, 22);
    pixmap.fill(Qt::darkGray);
    QSystemTrayIcon icon{QIcon(pixmap)};
    icon.setToolTip(QStringLiteral("A minimal tray program"));
    icon.show();
    return application.exec();
}
