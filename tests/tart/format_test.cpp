// Format compilation and the lines it lays out.
#include "format.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using tart::Directive;

tart::DirectiveValues sampleValues() {
    tart::DirectiveValues v;
    const char* texts[tart::kDirectiveCount] = {
        "-", "   123", "16556", "4755", "rwsr-xr-x", "0", "0U", "5", "5G", "usr/a", " -> b",
        "9602051407", "Mar  5 14:07 1996"};
    for (std::size_t i = 0; i < tart::kDirectiveCount; ++i) v[i] = texts[i];
    return v;
}

std::string line(const std::string& format) {
    const tart::FormatResult r = tart::CompileFormat(format);
    EXPECT_TRUE(r.ok) << format;
    std::string out;
    r.format.render(sampleValues(), out);
    return out;
}

TEST(TartCompileFormat, DefaultFormatLine) {
    EXPECT_EQ(line(tart::kDefaultFormat), "-rwsr-xr-x 0/5    123 Mar  5 14:07 1996 usr/a -> b\n");
    const tart::FormatResult r = tart::CompileFormat(tart::kDefaultFormat);
    EXPECT_EQ(r.format.directives.size(), 8u);
    // Only what the format names is computed.
    EXPECT_TRUE(r.format.uses(Directive::DateStr));
    EXPECT_FALSE(r.format.uses(Directive::Checksum));
    EXPECT_FALSE(r.format.uses(Directive::Date));
    EXPECT_FALSE(r.format.uses(Directive::UidStr));
}

TEST(TartCompileFormat, EveryDirectiveLetter) {
    EXPECT_EQ(line("%t|%s|%c|%m|%M|%u|%U|%g|%G|%f|%l|%d|%D"),
              "-|   123|16556|4755|rwsr-xr-x|0|0U|5|5G|usr/a| -> b|9602051407|Mar  5 14:07 1996\n");
    EXPECT_EQ(line("%f%f"), "usr/ausr/a\n");
    EXPECT_EQ(line(""), "\n");
}

TEST(TartCompileFormat, PercentAndOtherCharacters) {
    EXPECT_EQ(line("100%% %c %f"), "100% 16556 usr/a\n");
    EXPECT_EQ(line("%%f"), "%f\n");
    EXPECT_EQ(line("%%%%"), "%%\n");
    EXPECT_EQ(line("\\t\\n %f"), "\\t\\n usr/a\n");  // no escapes besides %%
    // printf-like flags are not directives.
    EXPECT_EQ(tart::CompileFormat("%-s").message, "Unrecognized format: -\n");
}

TEST(TartCompileFormat, UnrecognizedDirective) {
    tart::FormatResult r = tart::CompileFormat("%z");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, "Unrecognized format: z\n");
    // A "%" at the very end: the character after it is the end of the text,
    // printed as a NUL byte.
    r = tart::CompileFormat("%s%");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, std::string("Unrecognized format: \0\n", 23));
    r = tart::CompileFormat("%%%");
    EXPECT_EQ(r.message, std::string("Unrecognized format: \0\n", 23));
    r = tart::CompileFormat("%f %\xE9");
    EXPECT_EQ(r.message, "Unrecognized format: \xE9\n");
}

TEST(TartCompileFormat, AtMost24Directives) {
    std::string f;
    for (int i = 0; i < 24; ++i) f += "%s";
    tart::FormatResult r = tart::CompileFormat(f + "%%%%");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.format.directives.size(), 24u);
    r = tart::CompileFormat(f + "%f");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, "tart: too many directives in format (at most 24)\n");
    // An unrecognized directive before the 25th is reported as such.
    r = tart::CompileFormat("%q" + f + "%f");
    EXPECT_EQ(r.message, "Unrecognized format: q\n");
}

}  // namespace
