#pragma once

#include <QString>
#include <QStringList>

#include <string>

namespace platform {

// Opens a URL with the user's default handler through xdg-open, and tells
// whether something took it. xdg-open runs the handler it finds and ends with
// a failure status when there is none, so its end is waited for, briefly: a
// handler still running after that (a browser it started) has taken the URL.
// Programs rely on the answer (Carryover keeps a link no application opened).
class UrlOpener {
public:
    // How long an answer is waited for, in milliseconds.
    static constexpr int answerWait = 1500;

    static bool open(const std::string& url);
    // The same for any helper that hands something on and ends (gio launch).
    static bool runHandler(const QString& program, const QStringList& arguments);
};

} // namespace platform
