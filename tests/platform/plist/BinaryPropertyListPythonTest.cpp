// Round trips against Python's plistlib, in both directions.
#include "platform/plist/BinaryPropertyList.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>

using namespace platform;
namespace fs = std::filesystem;

namespace {

// Checks that plistlib reads argv[2] as the value of the expression in argv[1]
// (types, float bits and key order included), then writes that value to argv[3].
constexpr const char* checkScript = R"(import datetime, plistlib, struct, sys
from plistlib import UID
def D(seconds): return datetime.datetime(2001, 1, 1) + datetime.timedelta(seconds=seconds)
def same(a, b):
    if type(a) is not type(b): return False
    if type(a) is float: return struct.pack('>d', a) == struct.pack('>d', b)
    if type(a) is dict: return list(a) == list(b) and all(same(a[k], b[k]) for k in a)
    if type(a) is list: return len(a) == len(b) and all(map(same, a, b))
    return a == b
expected = eval(open(sys.argv[1], encoding='utf-8').read())
with open(sys.argv[2], 'rb') as f: actual = plistlib.load(f, fmt=plistlib.FMT_BINARY)
try:
    with open(sys.argv[3], 'wb') as f: f.write(plistlib.dumps(expected, fmt=plistlib.FMT_BINARY, sort_keys=False))
except OverflowError: pass
if not same(actual, expected): sys.exit('plistlib read ' + repr(actual))
)";

struct PythonCase {
    const char* name;
    PropertyList value;
    std::string python; // the same value as a Python expression
    bool pythonWritesIt = true; // plistlib refuses integers below -2^63
};

void PrintTo(const PythonCase& c, std::ostream* os) { *os << c.name; }

PropertyList integer(std::int64_t value) { return PropertyList::integer(value); }

PropertyListDictionary numberedKeys(int count) {
    PropertyListDictionary dictionary;
    for (int i = count - 1; i >= 0; --i) {
        dictionary.set("k" + std::string(i < 10 ? "00" : i < 100 ? "0" : "") + std::to_string(i), integer(i));
    }
    return dictionary;
}

PropertyListArray distinctIntegers(int count) {
    PropertyListArray array;
    for (int i = 0; i < count; ++i) {
        array.push_back(integer(1000 + i));
    }
    return array;
}

std::vector<PythonCase> pythonCases() {
    const double infinity = std::numeric_limits<double>::infinity();
    const auto date = Date::fromTimeIntervalSinceReferenceDate;
    return {
        {"EmptyString", "", "''"},
        {"Ascii", "hello, world", "'hello, world'"},
        {"AsciiWithNul", std::string("a\0b", 3), R"('a\x00b')"},
        {"NonAscii", "caf\xC3\xA9 \xE2\x80\x93 \xE6\x9D\xB1\xE4\xBA\xAC", R"('caf\u00e9 \u2013 \u6771\u4eac')"},
        {"EmojiAndNonBmp", "\xF0\x9F\x98\x80\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD \xF0\x9D\x84\x9E",
         R"('\U0001F600\U0001F44D\U0001F3FD \U0001D11E')"},
        {"LongStrings", PropertyListArray{std::string(300, 'a'), [] { std::string s; for (int i = 0; i < 20; ++i) s += "\xC3\xA9"; return s; }()},
         R"(['a' * 300, '\u00e9' * 20])"},
        {"IntegerBoundaries",
         PropertyListArray{integer(0), integer(255), integer(256), integer(65535), integer(65536),
                           integer(4294967295), integer(4294967296), integer(std::numeric_limits<std::int64_t>::max()),
                           PropertyList::unsignedInteger(1ull << 63), PropertyList::unsignedInteger(~0ull), integer(-1),
                           integer(std::numeric_limits<std::int64_t>::min())},
         "[0, 255, 256, 65535, 65536, 2**32-1, 2**32, 2**63-1, 2**63, 2**64-1, -1, -2**63]"},
        {"BelowInt64Min", PropertyListArray{PropertyListInteger{true, ~0ull}, PropertyListInteger{true, (1ull << 63) + 1}},
         "[-(2**64-1), -(2**63+1)]", false},
        {"Reals", PropertyListArray{0.0, 1.5, -2.25, 3.141592653589793, 1e-300, 1.7976931348623157e308, infinity, -infinity,
                                    std::numeric_limits<double>::quiet_NaN()},
         "[0.0, 1.5, -2.25, 3.141592653589793, 1e-300, 1.7976931348623157e308, float('inf'), -float('inf'), float('nan')]"},
        {"NegativeZero", PropertyListArray{-0.0, 1.0}, "[-0.0, 1.0]"},
        {"BooleansAreNotNumbers", PropertyListArray{true, false, true, integer(1), 1.0, integer(0)},
         "[True, False, True, 1, 1.0, 0]"},
        {"Dates", PropertyListArray{date(0), date(86400.5), date(-978307200), date(7e8)},
         "[D(0), D(86400.5), D(-978307200), D(7e8)]"},
        {"Data", PropertyListArray{Data{}, Data{0, 1, 0xFF}, Data(300, 0x2A)}, R"([b'', b'\x00\x01\xff', b'*' * 300])"},
        {"EmptyContainers", PropertyListArray{PropertyListArray{}, PropertyListDictionary{}, PropertyListArray{PropertyList(PropertyListArray{})}},
         "[[], {}, [[]]]"},
        {"Nested",
         PropertyListDictionary{{"outer", PropertyListDictionary{{"inner", PropertyListArray{integer(1), PropertyListDictionary{{"deep", "x"}}}}}},
                                {"list", PropertyListArray{PropertyListArray{integer(1), integer(2)}, PropertyListArray{integer(3)}}}},
         "{'outer': {'inner': [1, {'deep': 'x'}]}, 'list': [[1, 2], [3]]}"},
        {"SixteenKeysKeepOrder", numberedKeys(16), "{f'k{i:03}': i for i in reversed(range(16))}"},
        {"ThreeHundredKeys", numberedKeys(300), "{f'k{i:03}': i for i in reversed(range(300))}"},
        // 255 objects still take one-byte references, 256 need two.
        {"TwoHundredFiftyFiveObjects", distinctIntegers(254), "[1000 + i for i in range(254)]"},
        {"TwoHundredFiftySixObjects", distinctIntegers(255), "[1000 + i for i in range(255)]"},
        {"SharedScalars", PropertyListArray{"same", "same", PropertyListDictionary{{"same", "same"}}, Data{1}, Data{1}},
         "['same', 'same', {'same': 'same'}, b'\\x01', b'\\x01']"},
        {"Uids", PropertyListDictionary{{"$top", PropertyListDictionary{{"root", PropertyListUID{1}}}},
                                        {"$objects", PropertyListArray{"$null", PropertyListUID{0}, PropertyListUID{0},
                                                                       PropertyListUID{300}, PropertyListUID{1ull << 40}}}},
         "{'$top': {'root': UID(1)}, '$objects': ['$null', UID(0), UID(0), UID(300), UID(2**40)]}"},
        {"FourByteOffsets", PropertyListArray{Data(70000, 7), "after"}, R"([b'\x07' * 70000, 'after'])"},
        {"TopLevelScalar", integer(42), "42"},
    };
}

class BinaryPropertyListPythonTest : public testing::TestWithParam<PythonCase> {
protected:
    static void SetUpTestSuite() {
        std::string pattern = (fs::temp_directory_path() / "bplist-test-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        directory = pattern;
        std::ofstream(directory / "check.py") << checkScript;
    }
    static void TearDownTestSuite() { fs::remove_all(directory); }

    static void save(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }
    static Data load(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return Data(std::istreambuf_iterator<char>(in), {});
    }
    // Runs the check script; returns its exit status and appends its output to `output`.
    static int runPython(const std::string& arguments, std::string& output) {
        const std::string command = "python3 " + (directory / "check.py").string() + " " + arguments + " 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        char buffer[4096];
        for (std::size_t n; pipe && (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            output.append(buffer, n);
        }
        return pipe ? pclose(pipe) : -1;
    }

    static inline fs::path directory;
};

TEST_P(BinaryPropertyListPythonTest, RoundTripsWithPlistlib) {
    const PythonCase& c = GetParam();
    const Data written = BinaryPropertyList::write(c.value);
    const fs::path expression = directory / (std::string(c.name) + ".py");
    const fs::path ours = directory / (std::string(c.name) + ".ours");
    const fs::path theirs = directory / (std::string(c.name) + ".theirs");
    save(expression, c.python);
    save(ours, stringFromData(written));

    std::string output;
    ASSERT_EQ(runPython(expression.string() + " " + ours.string() + " " + theirs.string(), output), 0) << output;
    if (!c.pythonWritesIt) {
        return;
    }
    const Data fromPython = load(theirs);
    EXPECT_EQ(written, fromPython) << "object layout differs from plistlib's";
    std::string error;
    const std::optional<PropertyList> parsed = BinaryPropertyList::read(fromPython, &error);
    ASSERT_TRUE(parsed) << error;
    EXPECT_EQ(BinaryPropertyList::write(*parsed), fromPython);
    if (c.value == c.value) { // NaN never equals itself; that case rests on the byte comparison
        EXPECT_EQ(*parsed, c.value);
    }
}

INSTANTIATE_TEST_SUITE_P(Values, BinaryPropertyListPythonTest, testing::ValuesIn(pythonCases()),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
