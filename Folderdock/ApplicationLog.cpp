#include "Folderdock/ApplicationLog.h"

#include "Folderdock/AppEntries.h"

#include "platform/foundation/FileManager.h"

#include <string>

namespace Folderdock {

using platform::URL;

namespace {

class ApplicationLog {
public:
    ApplicationLog(std::ostream& out, ApplicationLogLimits limits) : out_(out), limits_(limits) {}

    void run(const URL& folder) {
        logFolder(folder, 0);
        if (stopped_ || leftDeepFolders_) {
            out_ << "Listing shortened:";
            if (stopped_) {
                out_ << " stopped after " << limits_.maxLines << " lines";
            }
            if (leftDeepFolders_) {
                out_ << (stopped_ ? ";" : "") << " folders more than " << limits_.maxDepth
                     << " levels down not listed";
            }
            out_ << '\n';
        }
        out_.flush();
    }

private:
    bool writeLine(const URL& url) {
        if (lines_ >= limits_.maxLines) {
            stopped_ = true;
            return false;
        }
        out_ << url.absoluteString() << '\n';
        ++lines_;
        return true;
    }

    void logFolder(const URL& folder, int depth) {
        if (!writeLine(folder)) {
            return;
        }
        const auto items = platform::FileManager::defaultManager().contentsOfDirectory(folder);
        if (!items) {
            return;
        }
        // Only which kind of entry an item makes matters here, not its title.
        const std::string locale;
        for (const URL& item : *items) {
            const auto entry = entryFor(item, locale);
            if (!entry) {
                continue;
            }
            if (entry->kind == AppEntry::Kind::application) {
                if (!writeLine(item)) {
                    return;
                }
            } else if (depth >= limits_.maxDepth) {
                leftDeepFolders_ = true;
            } else {
                logFolder(entry->url, depth + 1);
                if (stopped_) {
                    return;
                }
            }
        }
    }

    std::ostream& out_;
    ApplicationLogLimits limits_;
    int lines_ = 0;
    bool stopped_ = false;
    bool leftDeepFolders_ = false;
};

} // namespace

void logApplications(const URL& folder, std::ostream& out, ApplicationLogLimits limits) {
    ApplicationLog(out, limits).run(folder);
}

} // namespace Folderdock
