// tart's rules, case by case: header numbers and checksums, which members
// own data, modes and dates, name selection, formats and the command line.
#include <gtest/gtest.h>

#include <string>

#include "TempRoot.h"
#include "commandLine.h"
#include "format.h"
#include "header.h"
#include "names.h"
#include "tarBuilder.h"

namespace {

using V = std::vector<std::string>;

const unsigned char* bytes(const std::string& s) { return reinterpret_cast<const unsigned char*>(s.data()); }

// A record whose first bytes are text; everything else is NUL.
std::string recordWith(const std::string& text) {
    std::string r(tart::kRecordSize, '\0');
    return r.replace(0, text.size(), text);
}

// A 12-byte base-256 field: the flag byte, `fill`, then `tail` at the end.
std::string base256(char flag, const std::string& tail, char fill = '\0') {
    std::string f(12, fill);
    f[0] = flag;
    return f.replace(12 - tail.size(), tail.size(), tail);
}

TEST(TartHeaderNumbers, OctalTextBase256AndGarbage) {
    const struct {
        std::string bytes;
        std::size_t width;
        bool allowNegative;
        int64_t value;
    } cases[] = {
        // Octal text as tar writes it; old tars pad with blanks.
        {std::string("0000755\0", 8), 8, false, 0755},
        {"   644 \0", 8, false, 0644},
        {"\t12\n", 8, false, 012},
        {std::string("011626\0 ", 8), 8, false, 011626},  // a checksum field
        // Garbage and empty fields read as 0; digits stop at the first non-octal byte.
        {std::string(8, '\0'), 8, false, 0},
        {"zzzzzzzz", 8, false, 0},
        {"-0000001", 8, false, 0},
        {"0000089x", 8, false, 0},
        {"12x34", 8, false, 012},
        // Never read past the field.
        {"77777777777712345670", 12, false, 0777777777777},
        {"123456781234", 4, false, 01234},
        // Base 256; a negative size or id reads as 0; beyond 64 bits is clamped.
        {base256('\x80', "\x01\x23\x45"), 12, false, 0x012345},
        {std::string(12, '\xFF'), 12, true, -1},
        {std::string(12, '\xFF'), 12, false, 0},
        {base256('\xFF', "\xFE\xD4", '\xFF'), 12, true, -300},
        {base256('\xBF', "", '\xFF'), 12, false, INT64_MAX},
        {base256('\xC0', ""), 12, true, INT64_MIN},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(tart::parseNumber(bytes(recordWith(c.bytes)), tart::Field{0, c.width}, c.allowNegative),
                  c.value)
            << "\"" << c.bytes << "\" width " << c.width;
    }
}

TEST(TartHeaderChecksum, SignedOrUnsignedBytesWithBlankChecksumField) {
    std::string r(tart::kRecordSize, '\0');
    r[0] = 'a';
    r[1] = static_cast<char>(0xE9);                                // counts as -23
    r.replace(148, 8, std::string(8, static_cast<char>(0xFF)));  // counts as eight blanks
    EXPECT_EQ(tart::checksum(bytes(r)), 8 * 32 + 97 - 23);
    // Against the sums an independent writer records.
    tarbuild::Entry e;
    e.name = "caf\xC3\xA9";
    const std::string h = tarbuild::header(e);
    EXPECT_EQ(tart::checksum(bytes(h)), tarbuild::headerSum(h, true));
    EXPECT_EQ(tart::unsignedChecksum(bytes(h)), tarbuild::headerSum(h, false));
    // Either sum is accepted, nothing else.
    for (int delta : {-512, -256, -1, 0, 1, 256, 512}) {
        const int stored = tarbuild::headerSum(h, false) + delta;
        EXPECT_EQ(tart::checksumMatches(bytes(h), stored), delta == 0 || delta == -512) << delta;
    }
    // The checksum field is octal text, never base 256.
    std::string b256 = h;
    b256.replace(148, 8, std::string("\x80\0\0\0\0\0\x10\0", 8));
    EXPECT_EQ(tart::parseHeader(bytes(b256)).storedChecksum, 0);
}

TEST(TartHeaderParse, UstarPrefixAndDataRecords) {
    std::string r = recordWith("name");
    r.replace(345, 3, "dir");
    EXPECT_EQ(tart::parseHeader(bytes(r)).name, "name");  // V7: no prefix field
    r.replace(257, 8, std::string("ustar\0" "00", 8));
    EXPECT_EQ(tart::parseHeader(bytes(r)).name, "dir/name");
    r.replace(257, 8, "ustar  \0");  // GNU tar keeps times there
    EXPECT_EQ(tart::parseHeader(bytes(r)).name, "name");

    // Links, devices, directories and FIFOs have no data records whatever
    // their size; regular, unknown and extension records have.
    tart::TarHeader x;
    for (char type : std::string("0\0" "7SxgLKDZ" "123456", 16)) {
        x.typeflag = type;
        x.size = 513;
        EXPECT_EQ(x.dataRecords(), type >= '1' && type <= '6' ? 0u : 2u) << type;
    }
    x.typeflag = '0';
    for (int64_t size : {0, 1, 512}) {
        x.size = size;
        EXPECT_EQ(x.dataRecords(), size == 0 ? 0u : 1u) << size;
    }
    x.size = INT64_MAX;  // no overflow in the rounding
    EXPECT_EQ(x.dataRecords(), static_cast<uint64_t>(INT64_MAX) / 512 + 1);
}

TEST(TartModesAndDates, Text) {
    const std::pair<unsigned, const char*> modes[] = {
        {04755, "rwsr-xr-x"}, {01777, "rwxrwxrwt"}, {04644, "rwsr--r--"},  // s whatever the execute bit
        {02710, "rwx--s---"}, {01000, "--------t"}, {0100751, "rwxr-x--x"}};  // file type bits ignored
    for (auto [mode, text] : modes) EXPECT_EQ(tart::GetModeStr(mode), text) << std::oct << mode;
    // Months count from 0, years from 1900; the year is never cut to four digits.
    const struct {
        int year, mon, mday;
        const char *numbers, *text;
    } dates[] = {
        {96, 2, 5, "9602051407", "Mar  5 14:07 1996"},
        {101, 5, 5, "10105051407", "Jun  5 14:07 2001"},
        {10000 - 1900, 11, 31, nullptr, "Dec 31 14:07 1000"},
        {999 - 1900, 0, 1, nullptr, "Jan  1 14:07 999 "},
    };
    for (const auto& d : dates) {
        std::tm t{};
        t.tm_year = d.year;
        t.tm_mon = d.mon;
        t.tm_mday = d.mday;
        t.tm_hour = 14;
        t.tm_min = 7;
        EXPECT_EQ(tart::GetDateStr(t), d.text);
        if (d.numbers) {
            EXPECT_EQ(tart::GetyymmddHHMM(t), d.numbers);
        }
    }
    std::tm t{};
    EXPECT_FALSE(tart::localTime(INT64_MAX, t));  // refused rather than wrapped
}

TEST(TartNames, PrefixRuleAndSelection) {
    const struct {
        const char *entry, *name;
        bool match;
    } cases[] = {
        {"usr/lib", "usr/lib", true},   {"usr/lib", "usr/lib/", true}, {"usr", "usr/lib/x", true},
        {"usr/lib", "usr/libx", false}, {"usr/lib", "usr/li", false},  {"lib", "usr/lib", false},
        // An entry ending in "/" names that member alone.
        {"usr/", "usr/", true},         {"usr/", "usr/a", false},
    };
    for (const auto& c : cases) EXPECT_EQ(tart::prefix(c.entry, c.name), c.match) << c.entry << " " << c.name;

    tart::NameLists lists;
    EXPECT_TRUE(lists.selects("anything"));
    lists.include.emplace();
    EXPECT_FALSE(lists.selects("anything"));  // an empty include list selects nothing
    lists.include = V{"usr/lib", "etc"};
    lists.exclude = V{"usr/lib/old"};
    EXPECT_TRUE(lists.selects("etc/passwd"));
    EXPECT_TRUE(lists.selects("usr/lib/older"));
    EXPECT_FALSE(lists.selects("usr/lib/old/y"));
    EXPECT_FALSE(lists.selects("usr/libx"));
}

TEST(TartNames, ListFilesAreWordsAfterTheCommandLineNames) {
    const std::string longWord(10000, 'w');
    const std::pair<std::string, V> cases[] = {
        {" \n\t ", {}},
        {"usr/lib\n  etc\tvar\r\n\v\fopt", {"usr/lib", "etc", "var", "opt"}},
        {std::string("ab\0cd ef", 8), {"ab", "ef"}},
        {longWord + " x", {longWord, "x"}},
    };
    for (const auto& [text, words] : cases) EXPECT_EQ(tart::splitWords(text), words) << text.size();

    tk::TempRoot dir;
    std::string msg;
    tart::NameLists lists;
    ASSERT_TRUE(tart::MkUseLists({"a", "b"}, dir.write("inc", "c\n d\te\n"), dir.write("exc", ""), lists, msg));
    EXPECT_EQ(*lists.include, (V{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(*lists.exclude, V{});  // an empty file: an empty list
    // A directory opens but cannot be read: an error, not a list.
    EXPECT_FALSE(tart::MkUseLists({}, dir.path(), std::nullopt, lists, msg));
    EXPECT_EQ(msg, "tart: cannot read include file (" + dir.path() + ")\n" + dir.path() + ": Is a directory\n");
}

TEST(TartFormat, LinesAndRefusals) {
    const char* texts[tart::kDirectiveCount] = {
        "-", "   123", "16556", "4755", "rwsr-xr-x", "0", "0U", "5", "5G", "usr/a", " -> b",
        "9602051407", "Mar  5 14:07 1996"};
    tart::DirectiveValues v;
    for (std::size_t i = 0; i < tart::kDirectiveCount; ++i) v[i] = texts[i];
    std::string f24;
    std::string f24Line;
    for (int i = 0; i < 24; ++i) {
        f24 += "%f";
        f24Line += "usr/a";
    }
    const struct {
        std::string format, line, refusal;
    } cases[] = {
        {tart::kDefaultFormat, "-rwsr-xr-x 0/5    123 Mar  5 14:07 1996 usr/a -> b\n", ""},
        {"%t|%s|%c|%m|%M|%u|%U|%g|%G|%f|%l|%d|%D",
         "-|   123|16556|4755|rwsr-xr-x|0|0U|5|5G|usr/a| -> b|9602051407|Mar  5 14:07 1996\n", ""},
        {"", "\n", ""},
        {"100%% %%f %%%%", "100% %f %%\n", ""},
        {"\\t %f", "\\t usr/a\n", ""},  // no escapes besides %%
        {f24 + "%%", f24Line + "%\n", ""},
        {"%z", "", "Unrecognized format: z\n"},
        {"%-s", "", "Unrecognized format: -\n"},  // printf-like flags are not directives
        // A "%" at the very end: the character after it is the NUL that ends the text.
        {"%s%", "", std::string("Unrecognized format: \0\n", 23)},
        {"%f %\xE9", "", "Unrecognized format: \xE9\n"},
        {f24 + "%f", "", "tart: too many directives in format (at most 24)\n"},
        {"%q" + f24 + "%f", "", "Unrecognized format: q\n"},  // before the 25th: as such
    };
    for (const auto& c : cases) {
        const tart::FormatResult r = tart::CompileFormat(c.format);
        EXPECT_EQ(r.ok, c.refusal.empty()) << c.format;
        EXPECT_EQ(r.message, c.refusal) << c.format;
        if (r.ok) {
            std::string out;
            r.format.render(v, out);
            EXPECT_EQ(out, c.line) << c.format;
        }
    }
}

TEST(TartCommandLine, FormatOptionsAndNames) {
    const std::optional<std::string> kNone;
    const struct {
        V args;
        bool usage;
        std::string format;
        std::optional<std::string> include, exclude;
        V names;
    } cases[] = {
        {{}, false, "%t%M %u/%g %s %D %f%l", kNone, kNone, {}},
        {{"+%c %f", "-I", "inc", "-X", "exc", "a", "b"}, false, "%c %f", "inc", "exc", {"a", "b"}},
        // Only the first argument can be a format; names end the options.
        {{"a", "+%f", "-X", "exc"}, false, tart::kDefaultFormat, kNone, kNone, {"a", "+%f", "-X", "exc"}},
        // Other arguments starting with "-" are skipped; the last -I counts.
        {{"+%f", "-v", "-", "--", "-Ifoo", "x"}, false, "%f", kNone, kNone, {"x"}},
        {{"-I", "a", "-I", "b"}, false, tart::kDefaultFormat, "b", kNone, {}},
        // Usage: -h first, or -I or -X without their file.
        {{"-h", "x"}, true, "", kNone, kNone, {}},
        {{"-I"}, true, "", kNone, kNone, {}},
        {{"-I", "inc", "-X"}, true, "", kNone, kNone, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.empty() ? "no argument" : c.args[0]);
        const tart::CommandLine cl = tart::parseCommandLine(c.args);
        EXPECT_EQ(cl.usage, c.usage);
        if (!c.usage) {
            EXPECT_EQ(cl.format, c.format);
            EXPECT_EQ(cl.includeFile, c.include);
            EXPECT_EQ(cl.excludeFile, c.exclude);
            EXPECT_EQ(cl.names, c.names);
        }
    }
}

}  // namespace
