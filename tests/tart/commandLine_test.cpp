// The command line: format, options and names.  The usage text itself is
// checked byte for byte through the program.
#include "commandLine.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using V = std::vector<std::string>;
const std::optional<std::string> kNone;

TEST(TartCommandLine, FormatOptionsAndNames) {
    const struct {
        V args;
        bool usage;
        std::string format;
        std::optional<std::string> include, exclude;
        V names;
    } cases[] = {
        {{}, false, "%t%M %u/%g %s %D %f%l", kNone, kNone, {}},
        {{"+%c %f", "-I", "inc", "-X", "exc", "a", "b"}, false, "%c %f", "inc", "exc", {"a", "b"}},
        {{"+"}, false, "", kNone, kNone, {}},
        // Only the first argument can be a format.
        {{"a", "+%f"}, false, tart::kDefaultFormat, kNone, kNone, {"a", "+%f"}},
        // Names end the options.
        {{"-v", "-I", "inc", "usr", "-X", "exc"}, false, tart::kDefaultFormat, "inc", kNone,
         {"usr", "-X", "exc"}},
        // Other arguments starting with "-" are skipped; the last -I counts.
        {{"+%f", "-h", "-", "--", "-Ifoo", "x"}, false, "%f", kNone, kNone, {"x"}},
        {{"-I", "a", "-I", "b"}, false, tart::kDefaultFormat, "b", kNone, {}},
        {{"x", "-I"}, false, tart::kDefaultFormat, kNone, kNone, {"x", "-I"}},  // a name by then
        // Usage: -h first, or -I or -X without their file.
        {{"-h"}, true, "", kNone, kNone, {}},
        {{"-h", "x"}, true, "", kNone, kNone, {}},
        {{"-I"}, true, "", kNone, kNone, {}},
        {{"+%f", "-X"}, true, "", kNone, kNone, {}},
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
