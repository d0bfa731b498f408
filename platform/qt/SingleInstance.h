#pragma once

#include "platform/console/LaunchRequest.h"
#include "platform/foundation/FileLock.h"

#include <QLocalServer>
#include <QObject>
#include <QString>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <variant>

namespace platform {

// One running copy of each program per user. Which copy runs is decided by a
// lock (the first start that takes it runs until it ends), not by whether a
// socket is there: two starts at the same moment cannot both run, and a copy
// that is busy is waited for, never replaced. The copy that holds the lock
// listens on a local socket beside it; a later start hands its request over
// that socket and leaves. A message is the request's text (or nothing, for a
// plain second start) ended by a NUL byte; the answer is one line,
// "accepted", "refused" or "running". Both ends talk only to a peer of the
// same user, and the socket lives only in a folder that is the user's alone.
class SingleInstance final : public QObject {
public:
    // Carries a request out; false when the program refused it.
    using Handler = std::function<bool(const LaunchRequest&)>;

    // Where one program's lock and socket live.
    struct Place {
        QString socketPath;
        QString lockPath;

        // In XDG_RUNTIME_DIR when it is the user's own folder with mode 0700,
        // else in ${XDG_CACHE_HOME:-~/.cache}/menulets, made so. Nothing (and
        // `error` says why) when neither folder is safe to use.
        static std::optional<Place> forProgram(const std::string& bundleIdentifier, std::string* error = nullptr);
        // The lock and socket for `bundleIdentifier` in `folder`.
        static Place inFolder(const QString& folder, const std::string& bundleIdentifier);
    };

    // This start runs the program: it holds the lock until it ends.
    struct Claimed {
        FileLock lock;
    };
    // The running copy took the request (or, without one, answered).
    struct HandedOver {
        bool accepted;
    };
    // A copy runs but did not answer in time, or is not this user's; or
    // the lock could not be taken at all.
    struct NotAnswered {
        // What went wrong, as a sentence to print after the program's name.
        std::string reason;
    };
    using Claim = std::variant<Claimed, HandedOver, NotAnswered>;

    // Takes the lock, or hands the request to the copy that holds it; waits
    // up to `patience` for a copy that is still starting or busy.
    static Claim claim(const Place& place, const std::optional<LaunchRequest>& request,
                       std::chrono::milliseconds patience);

    // A connection that has not sent its whole message by then is dropped,
    // so that clients that never finish cannot hold descriptors and memory.
    static constexpr std::chrono::milliseconds defaultIdleTimeout{3000};

    // Listens at `path` for later starts. Only the holder of the lock may:
    // a socket file left there by a copy that died is replaced.
    SingleInstance(const QString& path, Handler handler, std::chrono::milliseconds idleTimeout = defaultIdleTimeout);

    // Called when a later start brings no request: the person started the
    // program again to find it.
    void setPlainStartHandler(std::function<void()> handler) { plainStart_ = std::move(handler); }

    // The answer to one message.
    QByteArray answer(const QByteArray& message) const;

private:
    void accept(QLocalSocket* socket);
    void serve(QLocalSocket* socket);

    Handler handler_;
    std::function<void()> plainStart_;
    std::chrono::milliseconds idleTimeout_;
    int openConnections_ = 0;
    // Last, so that its connections go while the counter is still there.
    QLocalServer server_;
};

} // namespace platform
