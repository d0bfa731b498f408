#include "platform/appkit/PasteboardType.h"
#include "platform/qt/MimeDropReader.h"
#include "tests/platform/qt/OffscreenApplication.h"

#include <gtest/gtest.h>

#include <QMimeData>
#include <QUrl>

using namespace platform;

namespace {

class MimeDropReaderTest : public ::testing::Test {
protected:
    void SetUp() override { menulets::testing::offscreenApplication(); }
    QMimeData data;
};

TEST_F(MimeDropReaderTest, ABrowsersLinkTakesItsTitleFromNetscapeURLThenFromTheLinkTextOfItsHTML) {
    data.setUrls({QUrl("https://a.example/page?q=1")});
    data.setData("_NETSCAPE_URL", QString("https://a.example/page?q=1\nPage – A").toUtf8());
    data.setHtml("<a href=\"https://a.example/page?q=1\">Other</a>");
    auto pasteboard = MimeDropReader::read(data);
    ASSERT_TRUE(pasteboard);
    EXPECT_EQ(pasteboard->string(PasteboardType::URL), "https://a.example/page?q=1");
    EXPECT_EQ(pasteboard->string(PasteboardType::URLName), "Page – A");

    // A _NETSCAPE_URL naming another link says nothing about this one.
    data.setData("_NETSCAPE_URL", QByteArray("https://b.example/\nB"));
    EXPECT_EQ(MimeDropReader::read(data)->string(PasteboardType::URLName), "Other");

    data.setHtml("<b>no link</b>");
    EXPECT_EQ(MimeDropReader::read(data)->string(PasteboardType::URLName), std::nullopt);
}

TEST_F(MimeDropReaderTest, FilesBecomeFileURLsAndPlainTextMustBeAURL) {
    data.setUrls({QUrl::fromLocalFile("/home/a/my notes.txt")});
    auto file = MimeDropReader::read(data);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->string(PasteboardType::fileURL), "file:///home/a/my%20notes.txt");
    EXPECT_EQ(file->string(PasteboardType::URL), "file:///home/a/my%20notes.txt");

    QMimeData text;
    text.setText("  https://c.example/x  ");
    EXPECT_EQ(MimeDropReader::read(text)->string(PasteboardType::URL), "https://c.example/x");
    text.setText("just some words");
    EXPECT_EQ(MimeDropReader::read(text), std::nullopt);
    EXPECT_EQ(MimeDropReader::read(QMimeData()), std::nullopt);
}

TEST_F(MimeDropReaderTest, LinkTextIsTheFirstAnchorsTextWithoutTagsOrEntities) {
    EXPECT_EQ(MimeDropReader::linkText("<meta charset='utf-8'><A HREF=\"x\"><b>Fish</b> &amp;\n chips</A>"),
              "Fish & chips");
    EXPECT_EQ(MimeDropReader::linkText("<a href=x>first</a><a href=y>second</a>"), "first");
    EXPECT_EQ(MimeDropReader::linkText("<abbr>no</abbr>"), "");
    EXPECT_EQ(MimeDropReader::linkText("<a href=x>unclosed"), "");
}

} // namespace
