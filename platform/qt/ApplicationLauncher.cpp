#include "platform/qt/ApplicationLauncher.h"

#include "platform/qt/UrlOpener.h"

#include <QProcess>

#include <filesystem>
#include <unistd.h>

namespace platform {

std::optional<bool> ApplicationLauncher::launch(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    const std::filesystem::path file(path);
    if (file.extension() == ".desktop") {
        return UrlOpener::runHandler(QStringLiteral("gio"), {QStringLiteral("launch"), QString::fromStdString(path)});
    }
    if (file.extension() != ".AppImage" || ::access(path.c_str(), X_OK) != 0) {
        return std::nullopt;
    }
    return QProcess::startDetached(QString::fromStdString(path), {},
                                   QString::fromStdString(file.parent_path().string()));
}

} // namespace platform
