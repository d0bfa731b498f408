#include "platform/qt/SingleInstance.h"
#include "tests/platform/qt/OffscreenApplication.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QLocalSocket>
#include <QTemporaryDir>

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <vector>

using namespace platform;

namespace {

TEST(SingleInstanceTest, AnswersEachMessageAsItsHandlerDecidesAndRefusesWhatIsNoRequest) {
    menulets::testing::offscreenApplication();
    QTemporaryDir folder;
    std::vector<LaunchRequest> handled;
    SingleInstance instance(folder.filePath("program.socket"), [&](const LaunchRequest& request) {
        handled.push_back(request);
        return request.kind == LaunchRequest::Kind::dropURL;
    });

    EXPECT_EQ(instance.answer(""), "running\n") << "a plain second start";
    EXPECT_EQ(instance.answer("drop-url\nhttps://a.example/\nA\n"), "accepted\n");
    EXPECT_EQ(instance.answer("open-url\nother://x\n"), "refused\n");
    EXPECT_EQ(instance.answer("garbage"), "refused\n");
    ASSERT_EQ(handled.size(), 2u) << "nothing unreadable reaches the program";
    EXPECT_EQ(handled[0].title, "A");
}

TEST(SingleInstanceTest, NoCopyListeningMeansNoAnswerAndASocketLeftBehindIsTakenOver) {
    menulets::testing::offscreenApplication();
    QTemporaryDir folder;
    const QString path = folder.filePath("program.socket");
    EXPECT_EQ(SingleInstance::handOver(path, std::nullopt), std::nullopt);

    // What a killed copy leaves: the socket file, with no one listening.
    const int stale = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.toUtf8().constData(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(stale, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(stale);
    ASSERT_TRUE(QFileInfo::exists(path));
    EXPECT_EQ(SingleInstance::handOver(path, std::nullopt), std::nullopt);

    SingleInstance instance(path, {});
    QLocalSocket later;
    later.connectToServer(path);
    EXPECT_TRUE(later.waitForConnected(5000)) << "the new copy listens where the old one did";
    EXPECT_TRUE(SingleInstance::socketPath("dev.menulets.Carryover").endsWith("/dev.menulets.Carryover.socket"));
}

} // namespace
