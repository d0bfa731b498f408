#pragma once

#include <QByteArray>
#include <QColor>
#include <QLocalSocket>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

namespace platform {

// The colours of one of sway's bars, read over sway's IPC socket
// ($SWAYSOCK) and followed while the program runs: a bar's colours change
// with `swaymsg bar … colors …` or a reloaded configuration, and sway then
// sends the bar's whole configuration again.
class SwayBarColours final : public QObject {
public:
    // `barId` names the bar ("bar-0"); `changed` is called whenever the
    // colours arrive or change.
    SwayBarColours(QString barId, std::function<void()> changed);

    // Nothing until sway has answered.
    std::optional<QColor> background() const { return background_; }
    // The colour the bar draws its own text in.
    std::optional<QColor> text() const { return text_; }

    // Blocks up to `milliseconds` for sway's first answer, so that the
    // first drawing of an icon already has the bar's colours.
    void waitForColours(int milliseconds);

    // "#rrggbb" or "#rrggbbaa", as sway writes colours.
    static std::optional<QColor> parseColour(const QString& text);

private:
    enum MessageType : quint32 { subscribe = 2, getBarConfig = 6 };
    static constexpr quint32 barConfigUpdateEvent = 0x80000004;

    void send(MessageType type, const QByteArray& payload);
    void readMessages();
    void takeBarConfig(const QByteArray& json);

    QString barId_;
    std::function<void()> changed_;
    QLocalSocket socket_;
    QByteArray received_;
    std::optional<QColor> background_;
    std::optional<QColor> text_;
};

} // namespace platform
