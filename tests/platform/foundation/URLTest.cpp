#include "platform/foundation/URL.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <unordered_set>

using platform::URL;

namespace {

URL parsed(std::string_view text) {
    auto url = URL::fromString(text);
    EXPECT_TRUE(url.has_value()) << text;
    return url.value_or(URL());
}

URL parsed(std::string_view text, const URL& base) {
    auto url = URL::fromString(text, base);
    EXPECT_TRUE(url.has_value()) << text;
    return url.value_or(URL());
}

} // namespace

TEST(URLTest, RejectsTextThatIsNotAURL) {
    for (const char* text : {"", "http://a b", "http://a/ü", "http://a/<x>", "http://a/\"q\"", "http://a/{x}",
                             "http://a/a|b", "http://a/a\\b", "http://a/^", "http://a/`", "http://a/%", "http://a/%4",
                             "http://a/%zz", "1http://a", "+x:y", ":x", "http://a/#b#c", "http://[::1/", "http://a:8o/",
                             "http://a/[x]", "http://a/?[x]", "a\tb", "http://a@b@c/"}) {
        EXPECT_FALSE(URL::fromString(text).has_value()) << text;
    }
}

TEST(URLTest, AcceptsAbsoluteAndRelativeReferences) {
    for (const char* text : {"http://", "mailto:a@b", "foo/bar", "/a/b", "//host/x", "?q", "#f", "http://a/%20b",
                             "http://[::1]:8080/", "http://u:p@h/", "x-y.z+w:rest", "http://a/b;c=d?e=f&g#h/i?j"}) {
        EXPECT_TRUE(URL::fromString(text).has_value()) << text;
    }
    const URL relative = parsed("foo/bar");
    EXPECT_EQ(relative.scheme(), std::nullopt);
    EXPECT_EQ(relative.path(), "foo/bar");
    EXPECT_EQ(relative.baseURL(), nullptr);
}

TEST(URLTest, HostIsAbsentWithoutAuthorityOrWithEmptyHost) {
    EXPECT_EQ(parsed("mailto:x").host(), std::nullopt);
    EXPECT_EQ(parsed("file:///a").host(), std::nullopt);
    EXPECT_EQ(parsed("http://").host(), std::nullopt);
    EXPECT_EQ(parsed("http://www.Example.com/x").host(), "www.Example.com");
    EXPECT_EQ(parsed("http://u:p@h:81/").host(), "h");
    EXPECT_EQ(parsed("http://u:p@h:81/").port(), 81);
    EXPECT_EQ(parsed("http://[::1]:8080/").host(), "::1");
    EXPECT_EQ(parsed("http://h:/").port(), std::nullopt);
    EXPECT_EQ(parsed("http://h:99999999999/").port(), std::nullopt);
    EXPECT_EQ(parsed("mailto:a@b").path(), "a@b");
}

TEST(URLTest, EqualityComparesTextAndBase) {
    EXPECT_NE(parsed("http://a/"), parsed("http://a"));
    EXPECT_EQ(parsed("http://a/"), parsed("http://a/"));
    const URL base = parsed("http://a/b/");
    const URL relative = parsed("c", base);
    EXPECT_EQ(relative.absoluteString(), "http://a/b/c");
    EXPECT_NE(relative, parsed("http://a/b/c"));
    EXPECT_NE(relative, parsed("c"));
    EXPECT_EQ(relative, parsed("c", parsed("http://a/b/")));

    std::map<URL, int> ordered{{parsed("c"), 1}, {relative, 2}, {parsed("http://a"), 3}};
    EXPECT_EQ(ordered.size(), 3u);
    EXPECT_EQ(ordered.at(parsed("c", base)), 2);
    std::unordered_set<URL, platform::URLHash> hashed{parsed("c"), relative, parsed("c", base)};
    EXPECT_EQ(hashed.size(), 2u);
}

TEST(URLTest, ResolvesReferencesAgainstTheBase) {
    // The examples of RFC 3986 section 5.4.
    const URL base = parsed("http://a/b/c/d;p?q");
    const std::pair<const char*, const char*> cases[] = {
        {"g", "http://a/b/c/g"},       {"./g", "http://a/b/c/g"},   {"g/", "http://a/b/c/g/"},
        {"/g", "http://a/g"},          {"//g", "http://g"},         {"?y", "http://a/b/c/d;p?y"},
        {"#s", "http://a/b/c/d;p?q#s"}, {"..", "http://a/b/"},      {"../../../g", "http://a/g"},
        {"g;x=1/../y", "http://a/b/c/y"}, {"/./g", "http://a/g"},  {"g?y/./x", "http://a/b/c/g?y/./x"},
    };
    for (const auto& [reference, expected] : cases) {
        EXPECT_EQ(parsed(reference, base).absoluteString(), expected) << reference;
    }
    const URL absolute = parsed("https://x/./y", base);
    EXPECT_EQ(absolute.absoluteString(), "https://x/./y");
    EXPECT_EQ(parsed("g", base).host(), "a");
    EXPECT_EQ(parsed("g", base).absoluteURL().baseURL(), nullptr);
}

TEST(URLTest, FileURLsEncodeTheirPathsAndMarkDirectories) {
    const URL file = URL::fileURL("/Users/me/My Files/a?b#c%.txt", false);
    EXPECT_EQ(file.absoluteString(), "file:///Users/me/My%20Files/a%3Fb%23c%25.txt");
    EXPECT_EQ(file.path(), "/Users/me/My Files/a?b#c%.txt");
    EXPECT_TRUE(file.isFileURL());
    EXPECT_FALSE(file.hasDirectoryPath());

    const URL folder = URL::fileURL("/Applications/Über", true);
    EXPECT_EQ(folder.relativeString(), "file:///Applications/%C3%9Cber/");
    EXPECT_EQ(folder.path(), "/Applications/Über");
    EXPECT_TRUE(folder.hasDirectoryPath());

    const URL relative = URL::fileURL("notes/a:b.txt", false);
    ASSERT_NE(relative.baseURL(), nullptr);
    EXPECT_EQ(relative.path(), (std::filesystem::current_path() / "notes/a:b.txt").string());
    EXPECT_FALSE(parsed("http://a/").isFileURL());
    EXPECT_TRUE(parsed("FILE:///x").isFileURL());
}

TEST(URLTest, FileURLAsksTheFileSystemForDirectories) {
    const auto directory = std::filesystem::temp_directory_path() / "URLTest folder";
    std::filesystem::create_directories(directory);
    std::ofstream(directory / "plain file").put('x');
    EXPECT_TRUE(URL::fileURL(directory.string()).hasDirectoryPath());
    EXPECT_FALSE(URL::fileURL((directory / "plain file").string()).hasDirectoryPath());
    std::filesystem::remove_all(directory);
}

TEST(URLTest, PathComponentHelpers) {
    const URL app = parsed("file:///Applications/Calculator.app/");
    EXPECT_EQ(app.lastPathComponent(), "Calculator.app");
    EXPECT_EQ(app.pathExtension(), "app");
    EXPECT_EQ(app.deletingPathExtension().relativeString(), "file:///Applications/Calculator/");
    EXPECT_EQ(app.deletingPathExtension().lastPathComponent(), "Calculator");
    EXPECT_EQ(app.deletingLastPathComponent().relativeString(), "file:///Applications/");
    EXPECT_EQ(parsed("file:///").deletingLastPathComponent().relativeString(), "file:///");
    EXPECT_EQ(parsed("file:///").lastPathComponent(), "/");
    EXPECT_EQ(parsed("http://a").lastPathComponent(), "");

    EXPECT_EQ(parsed("file:///a/.profile").pathExtension(), "");
    EXPECT_EQ(parsed("file:///a/.profile").deletingPathExtension().relativeString(), "file:///a/.profile");
    EXPECT_EQ(parsed("file:///a.b/c").pathExtension(), "");
    EXPECT_EQ(parsed("file:///a.b/c").deletingPathExtension().relativeString(), "file:///a.b/c");
    EXPECT_EQ(parsed("http://h/x.tar.gz?q#f").deletingPathExtension().relativeString(), "http://h/x.tar?q#f");

    const URL support = URL::fileURL("/Library/Application Support", true);
    const URL file = support.appendingPathComponent("Links").appendingPathComponent("links 1.txt");
    EXPECT_EQ(file.relativeString(), "file:///Library/Application%20Support/Links/links%201.txt");
    EXPECT_EQ(parsed("http://h").appendingPathComponent("d", true).relativeString(), "http://h/d/");

    const URL base = parsed("http://a/b/");
    EXPECT_EQ(parsed("c/d", base).deletingLastPathComponent(), parsed("c/", base));
    EXPECT_EQ(parsed("c", base).deletingLastPathComponent().absoluteString(), "http://a/b/");
    EXPECT_EQ(parsed("?q", base).appendingPathComponent("e").relativeString(), "http://a/b/e?q");
}
