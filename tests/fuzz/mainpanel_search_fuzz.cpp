// Search paths of the e-mail browser of any content: the completed search
// is an absolute, clean directory ending in "/" followed by the pattern,
// the tidy-up only ever appends "/*", and every pattern compiles or matches
// everything without reading beyond its text.
#include <cstdint>
#include <sstream>
#include <string>

#include "core/filePattern.h"
#include "core/pathQualify.h"
#include "fuzzCheck.h"

namespace {

bool cleanDir(const std::string& d) {
    if (d.empty() || d[0] != '/' || d.back() != '/') return false;
    const std::size_t from = d.rfind("//", 0) == 0 ? 2 : 1;
    if (d.find("//", from) != std::string::npos) return false;
    return d.find("/./") == std::string::npos && d.find("/../") == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Three texts from the input, separated by NUL bytes.
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::string mask, dir, shown;
    std::getline(std::getline(std::getline(in, mask, '\0'), dir, '\0'), shown, '\0');
    const bool withDir = size % 2 == 1;

    trev::SearchRequest request;
    request.mask = mask;
    if (withDir) request.dir = dir;
    const trev::QualifiedSearch q = trev::qualifySearch(request, "/" + shown + "/", "*");
    check(cleanDir(q.dir) && q.mask == q.dir + q.pattern && !q.pattern.empty());

    const std::string tidy = trev::tidySearchPath(mask);
    check(tidy == mask || tidy == mask + "/*");

    const std::string re = trev::patternToRegex(mask);
    check(re.size() >= 2 && re.front() == '^' && re.back() == '$');
    const trev::NameMatcher matcher(mask);
    matcher.matches(dir.c_str());
    return 0;
}
