#include "platform/console/CommandLine.h"
#include "platform/console/Console.h"
#include "platform/console/ConsoleOutput.h"
#include "platform/console/ISO8601DateTime.h"
#include "platform/console/LaunchOptions.h"
#include "platform/headless/HeadlessSession.h"
#include "platform/headless/HeadlessWindowServer.h"
#include "tests/sample/SampleApp.h"
#include "tests/support/TemporaryHome.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>

using namespace platform;

namespace {

using Words = std::vector<std::string>;

TEST(CommandLineTest, QuotesKeepSpacesAndEscapesAndUnclosedQuotesAreErrors) {
    EXPECT_EQ(splitCommandLine("  drop-url  https://a.example/  \"A \\\"quoted\\\" title\"  "),
              (Words{"drop-url", "https://a.example/", "A \"quoted\" title"}));
    EXPECT_EQ(splitCommandLine("choose 'Safari | 1h/apple.com | 2m' # comment"),
              (Words{"choose", "Safari | 1h/apple.com | 2m"}));
    EXPECT_EQ(splitCommandLine("say \"tab\\there\"x"), (Words{"say", "tab\there" "x"}));
    EXPECT_EQ(splitCommandLine("# only a comment"), Words{});
    std::string error;
    EXPECT_EQ(splitCommandLine("choose \"open", &error), std::nullopt);
    EXPECT_EQ(error, "unclosed double quote");
    EXPECT_EQ(splitCommandLine("choose 'open", &error), std::nullopt);
}

TEST(ISO8601DateTimeTest, ZonesOffsetsAndLocalTimes) {
    EXPECT_EQ(parseISO8601DateTime("2024-05-01T09:30:00Z"), Date{1714555800});
    EXPECT_EQ(parseISO8601DateTime("2024-05-01T11:30:00+02:00"), Date{1714555800});
    EXPECT_EQ(parseISO8601DateTime("2024-05-01 04:30-0500"), Date{1714555800});
    EXPECT_EQ(parseISO8601DateTime("2024-05-01T09:30:00.25Z"), Date{1714555800.25});
    EXPECT_EQ(parseISO8601DateTime("2024-02-29T00:00:00Z"), Date{1709164800});
    for (const char* bad : {"2023-02-29T00:00:00Z", "2024-05-01", "2024-05-01T24:00Z", "2024-05-01T09:30:00Q",
                            "2024-13-01T00:00Z", "yesterday", "2024-05-01T09:30:00+2"}) {
        EXPECT_EQ(parseISO8601DateTime(bad), std::nullopt) << bad;
    }
    const char* savedZone = std::getenv("TZ");
    std::string saved = savedZone ? savedZone : "";
    ::setenv("TZ", "America/New_York", 1);
    EXPECT_EQ(parseISO8601DateTime("2024-05-01T05:30:00"), Date{1714555800}) << "local time in summer (UTC-4)";
    EXPECT_EQ(parseISO8601DateTime("2024-01-01T04:30:00"), Date{1704101400}) << "local time in winter (UTC-5)";
    if (savedZone) {
        ::setenv("TZ", saved.c_str(), 1);
    } else {
        ::unsetenv("TZ");
    }
}

TEST(LaunchOptionsTest, KnownOptionsOnlyAndAValidClock) {
    auto options = LaunchOptions::parse({"--headless", "--json", "--clock", "2024-05-01T09:30:00Z"});
    ASSERT_TRUE(options);
    EXPECT_TRUE(options->headless);
    EXPECT_TRUE(options->json);
    EXPECT_EQ(options->clockStart, Date{1714555800});
    EXPECT_EQ(LaunchOptions::parse({"--clock=2024-05-01T09:30:00Z"})->clockStart, Date{1714555800});
    std::string error;
    EXPECT_FALSE(LaunchOptions::parse({"--clock"}, &error));
    EXPECT_FALSE(LaunchOptions::parse({"--clock", "soon"}, &error));
    EXPECT_EQ(error, "not an ISO 8601 date-time: soon");
    EXPECT_FALSE(LaunchOptions::parse({"--verbose"}, &error));
    EXPECT_EQ(error, "unknown option: --verbose");
}

// The console over the sample program, writing to a string.
class ConsoleTest : public ::testing::Test {
protected:
    void start(bool json) {
        output = std::make_unique<ConsoleOutput>(written, json);
        session.server().setListener([this](const HeadlessEvent& event) { output->event(event); });
        session.launch<sample::SampleApp>();
        console = std::make_unique<Console>(session, *output);
        written.str("");
    }

    std::string run(const std::string& line) {
        written.str("");
        console->execute(line);
        return written.str();
    }

    menulets::testing::TemporaryHome home;
    HeadlessSession session{{Date{1714555800}, sample::SampleApp::bundleIdentifier}};
    std::ostringstream written;
    std::unique_ptr<ConsoleOutput> output;
    std::unique_ptr<Console> console;
};

TEST_F(ConsoleTest, CommandsReplyInTextAndEventsFollowAsTheyHappen) {
    start(false);
    EXPECT_EQ(run("click"), "[statusItem] item=0 title=\"1\"\n");
    EXPECT_EQ(run("click hyper"), "error: unknown modifier \"hyper\" (option, control, shift, command, capslock)\n");
    EXPECT_EQ(run("frobnicate"), "error: unknown command \"frobnicate\" (try help)\n");
    EXPECT_EQ(run("drop-text hello"),
              "[drop] item=0 types=\"public.utf8-plain-text\" operation=\"none\" accepted=false\n"
              "drop refused: the item takes no drag of these types\n");
    EXPECT_EQ(run("item 2"), "error: no status item 2\n");
    EXPECT_EQ(run("menu"), "error: the status item has no menu\n");
    run("item 1");
    std::string menu = run("menu");
    EXPECT_NE(menu.find("[menuOpened] title=\"Sample\"\nmenu \"Sample\":\n  Opened 1 times [disabled]\n"), std::string::npos)
        << menu;
    EXPECT_EQ(run("choose \"More/Say hello\""), "[chose] path=\"More/Say hello\" result=\"chosen\"\n"
                                                 "[menuClosed] title=\"Sample\"\n"
                                                 "[sound] name=\"Sosumi\"\n");
    EXPECT_EQ(run("advance"), "error: usage: advance SECONDS\n");
    EXPECT_EQ(run("advance -1"), "error: usage: advance SECONDS\n");
    EXPECT_EQ(run("advance 1.5"), "");
    EXPECT_FALSE(console->isFinished());
    EXPECT_NE(run("quit").find("[terminate] status=0"), std::string::npos);
    EXPECT_TRUE(console->isFinished());
}

TEST_F(ConsoleTest, JSONModeWritesOneObjectALine) {
    start(true);
    EXPECT_EQ(run("drop-url https://a.example/ 'A page'"),
              "{\"event\":\"sound\",\"name\":\"Glass\"}\n"
              "{\"event\":\"drop\",\"item\":0,\"types\":\"public.url,public.url-name\",\"operation\":\"copy\","
              "\"accepted\":true}\n"
              "{\"event\":\"statusItem\",\"item\":0,\"toolTip\":\"Last link: https://a.example/ (A page)\"}\n"
              "{\"reply\":\"drop\",\"command\":\"drop-url\",\"lines\":[\"drop accepted\"]}\n");
    EXPECT_EQ(run("choose Quit"), "{\"error\":\"cannot choose \\\"Quit\\\": no menu\",\"command\":\"choose\"}\n");
}

TEST_F(ConsoleTest, TheEndOfTheInputQuitsTheProgram) {
    start(false);
    std::istringstream input("click\nclick\n");
    console->run(input);
    EXPECT_TRUE(console->isFinished());
    EXPECT_EQ(written.str(), "[statusItem] item=0 title=\"1\"\n[statusItem] item=0 title=\"2\"\n[terminate] status=0\n");
}

TEST(ConsoleHelpTest, TheHelpTextDocumentsEveryCommand) {
    auto text = Console::helpText("Sample");
    std::string all;
    for (const auto& line : text) {
        all += line + "\n";
    }
    const CommandRegistry registry = Console::allCommands();
    for (const auto& command : registry.commands()) {
        EXPECT_NE(all.find("\n  " + command.name), std::string::npos) << command.name;
        EXPECT_FALSE(command.summary.empty()) << command.name;
    }
    for (const char* name : {"status", "menu", "windows", "advance", "sleep", "quit", "help", "click", "right-click",
                             "drop-url", "drop-file", "drop-text", "choose", "deactivate", "activate", "frontmost",
                             "running", "script-answer", "script-error"}) {
        EXPECT_NE(registry.find(name), nullptr) << name;
    }
}

} // namespace
