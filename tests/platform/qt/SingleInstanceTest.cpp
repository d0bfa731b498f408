#include "platform/qt/SingleInstance.h"
#include "tests/platform/qt/OffscreenApplication.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTemporaryDir>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <future>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

using namespace platform;
using namespace std::chrono_literals;

namespace {

// Runs Qt's events until `ready` holds, or fails the test at the deadline.
template <typename Condition>
bool processEventsUntil(Condition ready, std::chrono::milliseconds deadline = 10s) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!ready()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// A claim made on another thread, as a second start would, while this
// thread serves the running copy's socket.
SingleInstance::Claim claimServed(const SingleInstance::Place& place, const std::optional<LaunchRequest>& request,
                                  std::chrono::milliseconds patience) {
    auto claim = std::async(std::launch::async, [&] { return SingleInstance::claim(place, request, patience); });
    EXPECT_TRUE(processEventsUntil([&] { return claim.wait_for(0s) == std::future_status::ready; }, patience + 5s));
    return claim.get();
}

int connectRaw(const QString& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.toUtf8().constData(), sizeof address.sun_path - 1);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Whether the other end has closed the connection (no answer comes).
bool closedByPeer(int fd) {
    pollfd poller{fd, POLLIN, 0};
    if (::poll(&poller, 1, 0) <= 0) {
        return false;
    }
    char byte;
    return ::recv(fd, &byte, 1, MSG_DONTWAIT) <= 0;
}

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

TEST(SingleInstanceTest, TheLockDecidesWhichStartRunsAndLaterStartsHandOverOrWaitNeverTakingOver) {
    menulets::testing::offscreenApplication();
    QTemporaryDir folder;
    const auto place = SingleInstance::Place::inFolder(folder.path(), "dev.menulets.Test");
    const LaunchRequest link{LaunchRequest::Kind::dropURL, "https://a.example/", "A"};

    auto first = SingleInstance::claim(place, link, 1s);
    ASSERT_TRUE(std::holds_alternative<SingleInstance::Claimed>(first)) << "nothing runs: the first start runs";

    // Started but not listening yet (its panel wait), or busy: waited for, not replaced.
    auto second = SingleInstance::claim(place, link, 200ms);
    ASSERT_TRUE(std::holds_alternative<SingleInstance::NotAnswered>(second));
    EXPECT_EQ(std::get<SingleInstance::NotAnswered>(second).reason, "the running copy did not answer");

    std::vector<LaunchRequest> handled;
    {
        // What a killed copy leaves behind does not keep the holder from listening.
        const int stale = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, place.socketPath.toUtf8().constData(), sizeof address.sun_path - 1);
        ASSERT_EQ(::bind(stale, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        ::close(stale);
        SingleInstance running(place.socketPath, [&](const LaunchRequest& request) {
            handled.push_back(request);
            return true;
        });
        auto handed = claimServed(place, link, 5s);
        ASSERT_TRUE(std::holds_alternative<SingleInstance::HandedOver>(handed));
        EXPECT_TRUE(std::get<SingleInstance::HandedOver>(handed).accepted);
        ASSERT_EQ(handled.size(), 1u);
        EXPECT_EQ(handled[0], link);
    }
    EXPECT_FALSE(QFileInfo::exists(place.socketPath)) << "a copy removes its own socket when it ends";

    first = SingleInstance::NotAnswered{};
    EXPECT_TRUE(std::holds_alternative<SingleInstance::Claimed>(SingleInstance::claim(place, link, 1s)))
        << "once the running copy has ended, the next start runs";
}

TEST(SingleInstanceTest, OfTwoStartsAtTheSameMomentExactlyOneRuns) {
    menulets::testing::offscreenApplication();
    QTemporaryDir folder;
    const auto place = SingleInstance::Place::inFolder(folder.path(), "dev.menulets.Test");
    for (int round = 0; round < 20; ++round) {
        auto a = std::async(std::launch::async, [&] { return SingleInstance::claim(place, std::nullopt, 100ms); });
        auto b = std::async(std::launch::async, [&] { return SingleInstance::claim(place, std::nullopt, 100ms); });
        const auto first = a.get();
        const auto second = b.get();
        EXPECT_EQ(std::holds_alternative<SingleInstance::Claimed>(first) +
                      std::holds_alternative<SingleInstance::Claimed>(second),
                  1)
            << "round " << round;
    }
}

TEST(SingleInstanceTest, ConnectionsThatNeverFinishTheirMessageAreDropped) {
    menulets::testing::offscreenApplication();
    QTemporaryDir folder;
    const QString path = folder.filePath("program.socket");
    SingleInstance instance(path, {}, 100ms);
    std::vector<int> idle;
    for (int client = 0; client < 200; ++client) {
        const int fd = connectRaw(path);
        ASSERT_GE(fd, 0);
        QCoreApplication::processEvents(); // the copy takes each as it comes
        if (client % 2) {
            ::send(fd, "drop-url\nhttps://", 17, MSG_NOSIGNAL); // half a request
        }
        idle.push_back(fd);
    }
    EXPECT_TRUE(processEventsUntil([&] {
        return std::all_of(idle.begin(), idle.end(), [](int fd) { return closedByPeer(fd); });
    })) << "every idle or half-sent client is let go";
    for (const int fd : idle) {
        ::close(fd);
    }
    QLocalSocket later;
    later.connectToServer(path);
    EXPECT_TRUE(later.waitForConnected(5000)) << "and the copy still takes new starts";
}

TEST(SingleInstanceTest, APeerOfAnotherUserIsRefused) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to act as another user";
    }
    menulets::testing::offscreenApplication();
    QTemporaryDir folder;
    ::chmod(folder.path().toUtf8().constData(), 0755);
    const QString path = folder.filePath("program.socket");
    int handled = 0;
    SingleInstance instance(path, [&](const LaunchRequest&) { return ++handled > 0; });
    ::chmod(path.toUtf8().constData(), 0777);

    const pid_t child = ::fork();
    if (child == 0) {
        // Another user sends a whole request and waits for its answer.
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) {
            ::_exit(2);
        }
        const int fd = connectRaw(path);
        if (fd < 0) {
            ::_exit(3);
        }
        ::send(fd, "drop-url\nhttps://planted.example/\n\0", 35, 0);
        char answer[16] = {};
        const ssize_t n = ::recv(fd, answer, sizeof answer - 1, 0);
        ::_exit(n > 0 ? 1 : 0);
    }
    int status = 0;
    EXPECT_TRUE(processEventsUntil([&] { return ::waitpid(child, &status, WNOHANG) == child; }));
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the other user got no answer";
    EXPECT_EQ(handled, 0) << "and its request went nowhere";
}

TEST(SingleInstanceTest, TheSocketLivesOnlyInAFolderThatIsTheUsersAlone) {
    QTemporaryDir home;
    const std::string runtime = home.filePath("runtime").toStdString();
    ::mkdir(runtime.c_str(), 0755);
    ::setenv("XDG_CACHE_HOME", home.filePath("cache").toUtf8().constData(), 1);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);

    auto place = SingleInstance::Place::forProgram("dev.menulets.Carryover");
    ASSERT_TRUE(place);
    EXPECT_EQ(place->socketPath, home.filePath("cache/menulets/dev.menulets.Carryover.socket"))
        << "a runtime folder open to others is not used";
    struct stat status {};
    ASSERT_EQ(::stat(home.filePath("cache/menulets").toUtf8().constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u);

    ::chmod(runtime.c_str(), 0700);
    place = SingleInstance::Place::forProgram("dev.menulets.Carryover");
    ASSERT_TRUE(place);
    EXPECT_EQ(place->socketPath, QString::fromStdString(runtime + "/dev.menulets.Carryover.socket"));
    EXPECT_EQ(place->lockPath, QString::fromStdString(runtime + "/dev.menulets.Carryover.lock"));
    ::unsetenv("XDG_CACHE_HOME");
    ::unsetenv("XDG_RUNTIME_DIR");
}

} // namespace
