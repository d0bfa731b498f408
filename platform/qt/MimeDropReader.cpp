#include "platform/qt/MimeDropReader.h"

#include "platform/foundation/URL.h"

#include <QMimeData>
#include <QRegularExpression>
#include <QTextDocumentFragment>
#include <QUrl>

namespace platform {

namespace {

// The second line of "url\ntitle", when the first is the link itself.
std::optional<std::string> netscapeTitle(const QMimeData& data, const QUrl& link) {
    const QStringList lines = QString::fromUtf8(data.data(QStringLiteral("_NETSCAPE_URL"))).split('\n');
    if (lines.size() < 2 || QUrl(lines[0].trimmed()) != link || lines[1].trimmed().isEmpty()) {
        return std::nullopt;
    }
    return lines[1].trimmed().toStdString();
}

} // namespace

std::string MimeDropReader::linkText(const std::string& html) {
    static const QRegularExpression anchor(QStringLiteral("<a\\b[^>]*>(.*?)</a>"),
                                           QRegularExpression::CaseInsensitiveOption |
                                               QRegularExpression::DotMatchesEverythingOption);
    const auto match = anchor.match(QString::fromStdString(html));
    if (!match.hasMatch()) {
        return {};
    }
    return QTextDocumentFragment::fromHtml(match.captured(1)).toPlainText().simplified().toStdString();
}

std::optional<Pasteboard> MimeDropReader::read(const QMimeData& data) {
    QUrl link;
    if (data.hasUrls() && !data.urls().isEmpty()) {
        link = data.urls().first();
    } else if (data.hasText()) {
        link = QUrl(data.text().trimmed(), QUrl::StrictMode);
    }
    if (!link.isValid() || link.scheme().isEmpty()) {
        return std::nullopt;
    }
    if (link.isLocalFile()) {
        return Pasteboard::forFile(URL::fileURL(link.toLocalFile().toStdString()));
    }
    auto title = netscapeTitle(data, link);
    if (!title && data.hasHtml()) {
        if (std::string text = linkText(data.html().toStdString()); !text.empty()) {
            title = std::move(text);
        }
    }
    return Pasteboard::forLink(link.toString(QUrl::FullyEncoded).toStdString(), title);
}

} // namespace platform
