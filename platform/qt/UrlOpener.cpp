#include "platform/qt/UrlOpener.h"

#include <QProcess>

namespace platform {

bool UrlOpener::open(const std::string& url) {
    // What a person dropped must never reach xdg-open as one of its options.
    if (url.starts_with('-')) {
        return false;
    }
    return runHandler(QStringLiteral("xdg-open"), {QString::fromStdString(url)});
}

bool UrlOpener::runHandler(const QString& program, const QStringList& arguments) {
    // Without a parent: a handler still running when the program ends is not
    // killed with it.
    auto* opener = new QProcess;
    opener->setProgram(program);
    opener->setArguments(arguments);
    opener->setStandardInputFile(QProcess::nullDevice());
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->start();
    if (!opener->waitForStarted()) {
        delete opener;
        return false;
    }
    if (opener->waitForFinished(answerWait)) {
        const bool taken = opener->exitStatus() == QProcess::NormalExit && opener->exitCode() == 0;
        delete opener;
        return taken;
    }
    // Still running the handler it found: it goes on after this answer, and
    // the process object goes once it has ended.
    QObject::connect(opener, &QProcess::finished, opener, &QObject::deleteLater);
    return true;
}

} // namespace platform
