// The command line: format, options, names and the usage text.
#include "commandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using V = std::vector<std::string>;

TEST(TartCommandLine, Defaults) {
    const tart::CommandLine cl = tart::parseCommandLine({});
    EXPECT_FALSE(cl.usage);
    EXPECT_EQ(cl.format, "%t%M %u/%g %s %D %f%l");
    EXPECT_FALSE(cl.includeFile);
    EXPECT_FALSE(cl.excludeFile);
    EXPECT_TRUE(cl.names.empty());
}

TEST(TartCommandLine, FormatOptionsAndNames) {
    tart::CommandLine cl = tart::parseCommandLine({"+%c %f", "-I", "inc", "-X", "exc", "a", "b"});
    EXPECT_FALSE(cl.usage);
    EXPECT_EQ(cl.format, "%c %f");
    EXPECT_EQ(cl.includeFile, "inc");
    EXPECT_EQ(cl.excludeFile, "exc");
    EXPECT_EQ(cl.names, (V{"a", "b"}));
    cl = tart::parseCommandLine({"+"});
    EXPECT_EQ(cl.format, "");
    // Only the first argument can be a format.
    cl = tart::parseCommandLine({"a", "+%f"});
    EXPECT_EQ(cl.format, tart::kDefaultFormat);
    EXPECT_EQ(cl.names, (V{"a", "+%f"}));
}

TEST(TartCommandLine, NamesEndTheOptions) {
    const tart::CommandLine cl = tart::parseCommandLine({"-v", "-I", "inc", "usr", "-X", "exc"});
    EXPECT_FALSE(cl.usage);
    EXPECT_EQ(cl.includeFile, "inc");
    EXPECT_FALSE(cl.excludeFile);
    EXPECT_EQ(cl.names, (V{"usr", "-X", "exc"}));
}

TEST(TartCommandLine, OtherDashArgumentsAreSkipped) {
    tart::CommandLine cl = tart::parseCommandLine({"+%f", "-h", "-", "--", "-Ifoo", "x"});
    EXPECT_FALSE(cl.usage);
    EXPECT_FALSE(cl.includeFile);
    EXPECT_EQ(cl.names, V{"x"});
    cl = tart::parseCommandLine({"-I", "a", "-I", "b"});
    EXPECT_EQ(cl.includeFile, "b");
}

TEST(TartCommandLine, Usage) {
    EXPECT_TRUE(tart::parseCommandLine({"-h"}).usage);
    EXPECT_TRUE(tart::parseCommandLine({"-h", "x"}).usage);
    EXPECT_TRUE(tart::parseCommandLine({"-I"}).usage);
    EXPECT_TRUE(tart::parseCommandLine({"+%f", "-X"}).usage);
    EXPECT_TRUE(tart::parseCommandLine({"-I", "inc", "-X"}).usage);
    EXPECT_FALSE(tart::parseCommandLine({"x", "-I"}).usage);  // a name by then
}

}  // namespace
