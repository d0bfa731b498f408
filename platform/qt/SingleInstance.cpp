#include "platform/qt/SingleInstance.h"

#include "platform/foundation/FileManager.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QTimer>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace platform {

namespace {

// A message longer than this is no request of ours.
constexpr qsizetype maxMessage = 64 * 1024;
// Beyond these many at once, new connections are dropped at once.
constexpr int maxConnections = 64;
// Between two tries to reach a copy that holds the lock but does not listen
// yet (it is starting) or no longer (it is ending).
constexpr auto retryInterval = std::chrono::milliseconds(50);

// Whether the process at the other end of a connected local socket is this
// user's. Root's peers are not trusted either: a request is a person's own.
bool peerIsSameUser(qintptr descriptor) {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    return ::getsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &size) == 0 &&
           credentials.uid == ::getuid();
}

// A folder that only this user can enter: theirs, a real folder, mode 0700.
bool isPrivateFolder(const std::string& path, std::string* why) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) {
        *why = path + " cannot be used: " + std::strerror(errno);
        return false;
    }
    if (!S_ISDIR(status.st_mode) || status.st_uid != ::getuid()) {
        *why = path + (S_ISDIR(status.st_mode) ? " belongs to another user" : " is not a folder");
        return false;
    }
    if ((status.st_mode & 077) != 0) {
        *why = path + " is open to other users";
        return false;
    }
    return true;
}

std::string cacheFolder() {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache && cache[0] == '/') {
        return cache;
    }
    return FileManager::defaultManager().homeDirectoryPath() + "/.cache";
}

enum class Delivery { notReached, answered, unanswered };

// One try at the copy listening at `path`.
Delivery deliver(const QString& path, const std::optional<LaunchRequest>& request, int milliseconds,
                 bool& accepted, std::string& reason) {
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(milliseconds)) {
        return Delivery::notReached;
    }
    if (!peerIsSameUser(socket.socketDescriptor())) {
        reason = "the socket " + path.toStdString() + " is served by another user";
        return Delivery::unanswered;
    }
    QByteArray message = request ? QByteArray::fromStdString(request->encoded()) : QByteArray();
    message.append('\0');
    socket.write(message);
    QElapsedTimer elapsed;
    elapsed.start();
    const auto left = [&] { return std::max<qint64>(1, milliseconds - elapsed.elapsed()); };
    if (!socket.waitForBytesWritten(static_cast<int>(left()))) {
        reason = "the running copy did not take the request";
        return Delivery::unanswered;
    }
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(static_cast<int>(left()))) {
            reason = "the running copy did not answer";
            return Delivery::unanswered;
        }
    }
    const QByteArray answer = socket.readLine().trimmed();
    accepted = answer == "accepted" || answer == "running";
    return Delivery::answered;
}

} // namespace

std::optional<SingleInstance::Place> SingleInstance::Place::forProgram(const std::string& bundleIdentifier,
                                                                        std::string* error) {
    std::string why;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && runtime[0] == '/') {
        if (isPrivateFolder(runtime, &why)) {
            return inFolder(QString::fromStdString(runtime), bundleIdentifier);
        }
    }
    const std::string folder = cacheFolder() + "/menulets";
    std::string created;
    if (!FileManager::defaultManager().createDirectory(folder, true, &created)) {
        if (error) {
            *error = created;
        }
        return std::nullopt;
    }
    struct stat status {};
    // A folder of its own made earlier under a looser umask is made private.
    if (::lstat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) && status.st_uid == ::getuid()) {
        ::chmod(folder.c_str(), 0700);
    }
    if (!isPrivateFolder(folder, &why)) {
        if (error) {
            *error = why;
        }
        return std::nullopt;
    }
    return inFolder(QString::fromStdString(folder), bundleIdentifier);
}

SingleInstance::Place SingleInstance::Place::inFolder(const QString& folder, const std::string& bundleIdentifier) {
    const QString name = QString::fromStdString(bundleIdentifier);
    return Place{QDir(folder).filePath(name + QStringLiteral(".socket")),
                 QDir(folder).filePath(name + QStringLiteral(".lock"))};
}

SingleInstance::Claim SingleInstance::claim(const Place& place, const std::optional<LaunchRequest>& request,
                                            std::chrono::milliseconds patience) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        std::string error;
        FileLock lock(place.lockPath.toStdString(), FileLock::Wait::never, &error);
        if (lock.isHeld()) {
            return Claimed{std::move(lock)};
        }
        if (!error.empty()) {
            return NotAnswered{error};
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        bool accepted = false;
        std::string reason;
        switch (deliver(place.socketPath, request, static_cast<int>(std::max<long long>(1, left.count())), accepted,
                        reason)) {
        case Delivery::answered:
            return HandedOver{accepted};
        case Delivery::unanswered:
            return NotAnswered{reason};
        case Delivery::notReached:
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return NotAnswered{"the running copy did not answer"};
        }
        std::this_thread::sleep_for(retryInterval);
    }
}

SingleInstance::SingleInstance(const QString& path, Handler handler, std::chrono::milliseconds idleTimeout)
    : handler_(std::move(handler)), idleTimeout_(idleTimeout) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    // Only the lock's holder gets here, so what is at the path was left by a
    // copy that ended without closing it.
    QLocalServer::removeServer(path);
    server_.listen(path);
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            accept(socket);
        }
    });
}

void SingleInstance::accept(QLocalSocket* socket) {
    if (openConnections_ >= maxConnections || !peerIsSameUser(socket->socketDescriptor())) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    ++openConnections_;
    connect(socket, &QObject::destroyed, this, [this] { --openConnections_; });
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] { serve(socket); });
    QTimer::singleShot(idleTimeout_, socket, [socket] {
        socket->abort();
        socket->deleteLater();
    });
    if (socket->bytesAvailable() > 0) {
        serve(socket);
    }
}

QByteArray SingleInstance::answer(const QByteArray& message) const {
    if (message.isEmpty()) {
        if (plainStart_) {
            plainStart_();
        }
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
