#include "platform/qt/SingleInstance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace platform {

namespace {

// A message longer than this is no request of ours.
constexpr qsizetype maxMessage = 64 * 1024;
// A running copy answers at once; one that does not is hung or gone.
constexpr int answerMilliseconds = 5000;

} // namespace

QString SingleInstance::socketPath(const std::string& bundleIdentifier) {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return QDir(runtime).filePath(QString::fromStdString(bundleIdentifier) + QStringLiteral(".socket"));
}

std::optional<bool> SingleInstance::handOver(const QString& path, const std::optional<LaunchRequest>& request) {
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(answerMilliseconds)) {
        return std::nullopt;
    }
    QByteArray message = request ? QByteArray::fromStdString(request->encoded()) : QByteArray();
    message.append('\0');
    socket.write(message);
    if (!socket.waitForBytesWritten(answerMilliseconds)) {
        return std::nullopt;
    }
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(answerMilliseconds)) {
            return std::nullopt;
        }
    }
    const QByteArray answer = socket.readLine().trimmed();
    return answer == "accepted" || answer == "running";
}

SingleInstance::SingleInstance(const QString& path, Handler handler) : handler_(std::move(handler)) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_.listen(path) && server_.serverError() == QAbstractSocket::AddressInUseError) {
        // Left by a copy that ended without closing it (no copy answered).
        QLocalServer::removeServer(path);
        server_.listen(path);
    }
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { serve(socket); });
            if (socket->bytesAvailable() > 0) {
                serve(socket);
            }
        }
    });
}

QByteArray SingleInstance::answer(const QByteArray& message) const {
    if (message.isEmpty()) {
        return "running\n";
    }
    auto request = LaunchRequest::decode(message.toStdString());
    return request && handler_ && handler_(*request) ? "accepted\n" : "refused\n";
}

void SingleInstance::serve(QLocalSocket* socket) {
    const QByteArray waiting = socket->peek(maxMessage + 1);
    const qsizetype end = waiting.indexOf('\0');
    if (end < 0) {
        if (waiting.size() > maxMessage) {
            socket->abort();
        }
        return;
    }
    const QByteArray message = socket->read(end + 1).chopped(1);
    socket->write(answer(message));
    socket->disconnectFromServer();
}

} // namespace platform
