#pragma once

#include "platform/console/LaunchRequest.h"

#include <QLocalServer>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <string>

namespace platform {

// One running copy of each program per user: the first start listens on a
// local socket in the user's runtime folder; a later start hands its
// request over that socket and leaves. A message is the request's text (or
// nothing, for a plain second start) ended by a NUL byte; the answer is one
// line, "accepted", "refused" or "running".
class SingleInstance final : public QObject {
public:
    // Carries a request out; false when the program refused it.
    using Handler = std::function<bool(const LaunchRequest&)>;

    static QString socketPath(const std::string& bundleIdentifier);
    // Hands the request to the copy listening at `path`: true once it took
    // it (or, without a request, once it answered), false when it refused;
    // nothing when no copy answers.
    static std::optional<bool> handOver(const QString& path, const std::optional<LaunchRequest>& request);

    // Listens at `path` for later starts, replacing a socket no copy serves.
    SingleInstance(const QString& path, Handler handler);

    // The answer to one message.
    QByteArray answer(const QByteArray& message) const;

private:
    void serve(QLocalSocket* socket);

    QLocalServer server_;
    Handler handler_;
};

} // namespace platform
