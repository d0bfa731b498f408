#include "platform/console/LaunchOptions.h"
#include "platform/console/LaunchRequest.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

LaunchRequest request(LaunchRequest::Kind kind, std::string target, std::optional<std::string> title = std::nullopt) {
    LaunchRequest made;
    made.kind = kind;
    made.target = std::move(target);
    made.title = std::move(title);
    return made;
}

TEST(LaunchRequestTest, TheCommandLineNamesOneRequestWithItsArguments) {
    auto options = LaunchOptions::parse({"--drop-url", "https://a.example/", "Page A"});
    ASSERT_TRUE(options);
    EXPECT_EQ(options->request, request(LaunchRequest::Kind::dropURL, "https://a.example/", "Page A"));
    EXPECT_EQ(LaunchOptions::parse({"--drop-url", "https://a.example/", "--headless"})->request,
              request(LaunchRequest::Kind::dropURL, "https://a.example/"))
        << "an option after the URL is no title";
    EXPECT_EQ(LaunchOptions::parse({"--drop-file", "notes.txt"})->request,
              request(LaunchRequest::Kind::dropFile, "notes.txt"));
    EXPECT_EQ(LaunchOptions::parse({"--open-url", "blinkbreak://x", "extra"}), std::nullopt)
        << "only a dropped link has a title";
    EXPECT_EQ(LaunchOptions::parse({"--drop-url", "https://a.example/", "Two\nlines"})->request->title, "Two lines");
    EXPECT_FALSE(LaunchOptions::parse({})->request);

    // A launcher's "%U": files, web links and other schemes' URLs.
    EXPECT_EQ(LaunchOptions::parse({"/home/me/My Apps"})->request,
              request(LaunchRequest::Kind::dropFile, "/home/me/My Apps"));
    EXPECT_EQ(LaunchOptions::parse({"file:///home/me/My%20Apps/"})->request,
              request(LaunchRequest::Kind::dropFile, "/home/me/My Apps"));
    EXPECT_EQ(LaunchOptions::parse({"HTTPS://a.example/x"})->request,
              request(LaunchRequest::Kind::dropURL, "HTTPS://a.example/x"));
    EXPECT_EQ(LaunchOptions::parse({"blinkbreak://Blinkbreak"})->request,
              request(LaunchRequest::Kind::openURL, "blinkbreak://Blinkbreak"));
    EXPECT_EQ(LaunchOptions::parse({"https://a.example/", "https://b.example/"}), std::nullopt)
        << "one request at a time";
    EXPECT_EQ(LaunchOptions::parse({"-x"}), std::nullopt);

    std::string error;
    EXPECT_FALSE(LaunchOptions::parse({"--drop-url"}, &error));
    EXPECT_EQ(error, "--drop-url needs a URL");
    EXPECT_FALSE(LaunchOptions::parse({"--drop-file", ""}, &error));
    EXPECT_EQ(error, "--drop-file needs a path");
    EXPECT_FALSE(LaunchOptions::parse({"--drop-url", "https://a.example/\nopen-url"}, &error));
    EXPECT_FALSE(LaunchOptions::parse({"--drop-url", "https://a.example/", "--drop-file", "x"}, &error));
    EXPECT_EQ(error, "one request at a time: --drop-file");
}

TEST(LaunchRequestTest, RequestsTravelAsLinesAndOnlyWholeOnesAreRead) {
    const auto withTitle = request(LaunchRequest::Kind::dropURL, "https://a.example/", "Ä title");
    EXPECT_EQ(withTitle.encoded(), "drop-url\nhttps://a.example/\nÄ title\n");
    EXPECT_EQ(LaunchRequest::decode(withTitle.encoded()), withTitle);
    const auto emptyTitle = request(LaunchRequest::Kind::dropURL, "https://a.example/", "");
    EXPECT_EQ(LaunchRequest::decode(emptyTitle.encoded()), emptyTitle);
    for (const auto& plain : {request(LaunchRequest::Kind::dropFile, "/home/a/b c.txt"),
                              request(LaunchRequest::Kind::openURL, "blinkbreak://Blinkbreak")}) {
        EXPECT_EQ(LaunchRequest::decode(plain.encoded()), plain);
    }

    for (const char* broken : {"", "drop-url\n", "drop-url\nhttps://a.example/", "drop-url\n\n",
                               "paste\nhttps://a.example/\n", "drop-file\n/a\ntitle\n",
                               "drop-url\nhttps://a.example/\nt\nmore\n"}) {
        EXPECT_EQ(LaunchRequest::decode(broken), std::nullopt) << broken;
    }
}

} // namespace
