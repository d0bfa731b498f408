#include "platform/qt/sway/SwayBarColours.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <cstring>

namespace platform {

namespace {

// Every message of sway's IPC starts with this, then the payload's length
// and the message type, both 32 bits in the machine's own byte order.
constexpr char magic[] = "i3-ipc";
constexpr int magicLength = sizeof(magic) - 1;
constexpr int headerLength = magicLength + 8;

} // namespace

SwayBarColours::SwayBarColours(QString barId, std::function<void()> changed)
    : barId_(std::move(barId)), changed_(std::move(changed)) {
    const QString path = qEnvironmentVariable("SWAYSOCK");
    if (path.isEmpty()) {
        return;
    }
    connect(&socket_, &QLocalSocket::readyRead, this, &SwayBarColours::readMessages);
    socket_.connectToServer(path);
    if (!socket_.waitForConnected(500)) {
        return;
    }
    send(getBarConfig, barId_.toUtf8());
    send(subscribe, R"(["barconfig_update"])");
}

void SwayBarColours::waitForColours(int milliseconds) {
    if (socket_.state() == QLocalSocket::ConnectedState && !background_) {
        socket_.waitForReadyRead(milliseconds);
    }
}

void SwayBarColours::send(MessageType type, const QByteArray& payload) {
    QByteArray message(magic, magicLength);
    const quint32 header[2] = {static_cast<quint32>(payload.size()), type};
    message.append(reinterpret_cast<const char*>(header), sizeof(header));
    message.append(payload);
    socket_.write(message);
    socket_.flush();
}

void SwayBarColours::readMessages() {
    received_.append(socket_.readAll());
    while (received_.size() >= headerLength) {
        if (!received_.startsWith(QByteArray(magic, magicLength))) {
            // Not sway speaking: stop listening rather than guess.
            socket_.abort();
            received_.clear();
            return;
        }
        quint32 header[2];
        std::memcpy(header, received_.constData() + magicLength, sizeof(header));
        const auto [length, type] = header;
        if (static_cast<quint64>(received_.size()) < headerLength + static_cast<quint64>(length)) {
            return;
        }
        const QByteArray payload = received_.mid(headerLength, static_cast<qsizetype>(length));
        received_.remove(0, headerLength + static_cast<qsizetype>(length));
        if (type == getBarConfig || type == barConfigUpdateEvent) {
            takeBarConfig(payload);
        }
    }
}

void SwayBarColours::takeBarConfig(const QByteArray& json) {
    const QJsonObject config = QJsonDocument::fromJson(json).object();
    // An update may be about another bar.
    if (config.value(QStringLiteral("id")).toString() != barId_) {
        return;
    }
    const QJsonObject colours = config.value(QStringLiteral("colors")).toObject();
    auto background = parseColour(colours.value(QStringLiteral("background")).toString());
    auto text = parseColour(colours.value(QStringLiteral("statusline")).toString());
    if (background == background_ && text == text_) {
        return;
    }
    background_ = background;
    text_ = text;
    changed_();
}

std::optional<QColor> SwayBarColours::parseColour(const QString& text) {
    if (!text.startsWith(QLatin1Char('#')) || (text.size() != 7 && text.size() != 9)) {
        return std::nullopt;
    }
    bool ok = false;
    const uint value = text.mid(1, 6).toUInt(&ok, 16);
    if (!ok) {
        return std::nullopt;
    }
    return QColor::fromRgb(value);
}

} // namespace platform
