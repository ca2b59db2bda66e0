// Format compilation and the lines it lays out.
#include "format.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using tart::Directive;

std::string line(const std::string& format) {
    const char* texts[tart::kDirectiveCount] = {
        "-", "   123", "16556", "4755", "rwsr-xr-x", "0", "0U", "5", "5G", "usr/a", " -> b",
        "9602051407", "Mar  5 14:07 1996"};
    tart::DirectiveValues v;
    for (std::size_t i = 0; i < tart::kDirectiveCount; ++i) v[i] = texts[i];
    const tart::FormatResult r = tart::CompileFormat(format);
    EXPECT_TRUE(r.ok) << format;
    std::string out;
    r.format.render(v, out);
    return out;
}

TEST(TartCompileFormat, Lines) {
    const std::pair<std::string, std::string> cases[] = {
        {tart::kDefaultFormat, "-rwsr-xr-x 0/5    123 Mar  5 14:07 1996 usr/a -> b\n"},
        {"%t|%s|%c|%m|%M|%u|%U|%g|%G|%f|%l|%d|%D",
         "-|   123|16556|4755|rwsr-xr-x|0|0U|5|5G|usr/a| -> b|9602051407|Mar  5 14:07 1996\n"},
        {"%f%f", "usr/ausr/a\n"},
        {"", "\n"},
        {"100%% %c %f", "100% 16556 usr/a\n"},
        {"%%f", "%f\n"},
        {"%%%%", "%%\n"},
        {"\\t\\n %f", "\\t\\n usr/a\n"},  // no escapes besides %%
    };
    for (const auto& [format, expected] : cases) EXPECT_EQ(line(format), expected) << format;
    // Only what the format names is computed.
    const tart::FormatResult r = tart::CompileFormat(tart::kDefaultFormat);
    EXPECT_EQ(r.format.directives.size(), 8u);
    EXPECT_TRUE(r.format.uses(Directive::DateStr));
    EXPECT_FALSE(r.format.uses(Directive::Checksum));
    EXPECT_FALSE(r.format.uses(Directive::Date));
    EXPECT_FALSE(r.format.uses(Directive::UidStr));
}

TEST(TartCompileFormat, RefusedFormats) {
    std::string f24;
    for (int i = 0; i < 24; ++i) f24 += "%s";
    const tart::FormatResult r = tart::CompileFormat(f24 + "%%%%");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.format.directives.size(), 24u);
    const std::pair<std::string, std::string> cases[] = {
        {"%z", "Unrecognized format: z\n"},
        {"%-s", "Unrecognized format: -\n"},  // printf-like flags are not directives
        // A "%" at the very end: the character after it is the end of the
        // text, printed as a NUL byte.
        {"%s%", std::string("Unrecognized format: \0\n", 23)},
        {"%%%", std::string("Unrecognized format: \0\n", 23)},
        {"%f %\xE9", "Unrecognized format: \xE9\n"},
        {f24 + "%f", "tart: too many directives in format (at most 24)\n"},
        // An unrecognized directive before the 25th is reported as such.
        {"%q" + f24 + "%f", "Unrecognized format: q\n"},
    };
    for (const auto& [format, message] : cases) {
        const tart::FormatResult bad = tart::CompileFormat(format);
        EXPECT_FALSE(bad.ok) << format;
        EXPECT_EQ(bad.message, message) << format;
    }
}

}  // namespace
