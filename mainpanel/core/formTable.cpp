#include "formTable.h"

#include <climits>
#include <cstdlib>
#include <cstring>

namespace trev {

namespace {

using R = WordRule;

// Shared usage texts.
constexpr const char* kUsageProdPair = "USAGE: %s %d prodToSelect userSelectProd.\n";

const FormInfo kForms[] = {
    {0, "mainpanel", "Trevalon: Main Menu", 350, 80, R::AtLeast, 8, 0,
     "Usage: %s %d actDef 1/0 1/0 1/0 1/0 1/0\n"},
    {1, "instInfo", "Trevalon: Installation Information", 350, 104, R::Exactly, 7, 0,
     "Usage: %s %d prodInfoMedia workOrderNum tapeDev 1/0 1/0.\n"},
    {2, "selProd", "Trevalon: Load Products", 450, 136, R::Exactly, 6, 0,
     "Usage: %s %d prodToSelect userSelectProd diskAvail workOrder.\n"},
    {3, "lackSpace", "Trevalon: Disk Space Check Failed", 450, 144, R::Exactly, 4, 0,
     "USAGE: %s %d avaSpace reqSpace.\n"},
    {4, "inMedD", "Trevalon: Load Device Options", 400, 152, R::EitherOf, 7, 12,
     "Usage: %s %d CDROM # host:device 1/0 labels"
     " TAPE # host:device 1/0 labels\n"},
    {5, "mntCD", "Trevalon: Mount CD-ROM", 380, 160, R::Exactly, 6, 0,
     "USAGE: %s %d unmntCDlabel mntCDLabel CDHost:CDDrive 1/0\n"},
    {6, "mntTape", "Trevalon: Mount Tape", 385, 168, R::Exactly, 5, 0,
     "USAGE: %s %d tapeLabel tapeHost:tapeDrive 1/0\n"},
    {8, "listInstall", "Trevalon: List Products", 415, 176, R::Exactly, 3, 0,
     "USAGE: %s %d prodFile.\n"},
    {9, "rmInstall", "Trevalon: Remove Products", 415, 184, R::Exactly, 4, 0, kUsageProdPair},
    {10, "config", "Trevalon: Configure Products", 355, 192, R::ConfigChoice, 2, 3,
     "USAGE: %s %d [[noSys] [noUser]].\n"},
    {11, "configSysEnv", "Trevalon: Configure System Env", 400, 200, R::Exactly, 4, 0,
     kUsageProdPair},
    {12, "configUserEnv", "Trevalon: Configure User Env", 400, 208, R::Exactly, 4, 0,
     kUsageProdPair},
    {13, "testInst", "Trevalon: Test Installed Products", 350, 216, R::Exactly, 4, 0,
     "USAGE: %s %d prodToTest selectedProd.\n"},
    {14, "unreadInMed", "Trevalon: Device Read Failed", 350, 232, R::Exactly, 4, 0,
     "Usage: %s %d [CD tape] host:device.\n"},
    // The install media form uses slot 112 for a CD-ROM and 120 for a tape.
    {15, "instMedia", "Trevalon: Install Media", 350, 112, R::Exactly, 5, 0,
     "Usage: %s %d mediaType mediaLabel deviceName.\n"},
    {17, "listHoldProd", "Trevalon: On Hold Products", 350, 128, R::Exactly, 3, 0,
     "Usage: %s %d onHoldProduct\n"},
    {18, "selDoc", "Trevalon: Load Documents", 450, 136, R::Exactly, 5, 0,
     "Usage: %s %d prodToSelect userSelectProd diskAvail.\n"},
    {19, "topPlat", "Trevalon: Select Platform", 350, 88, R::AtLeast, 3, 0,
     "Usage: %s %d <platforms file>\n"},
    {20, "instMediaType", "Trevalon: Select Media", 355, 240, R::Any, 0, 0, nullptr},
    {21, "listMedia", "Trevalon: Media Required", 450, 248, R::AtLeast, 4, 0,
     "Usage: %s %d 1/2 <filename with labels>.\n"},
    {22, "listWO", "Trevalon: Workorder List", 550, 256, R::Exactly, 3, 0,
     "USAGE: %s %d Workorderlist \n"},
    {23, "topDC", "Trevalon: Select Installation", 350, 96, R::EitherOf, 2, 4,
     "Usage: %s %d [default inst prompt] [custome inst promp]>\n"},
    // The message form names neither the program nor the type.
    {24, "TVMB", "Trevalon: Message", 575, 224, R::Exactly, 4, 0,
     "USAGE: mainpanel 24 <file Name> <string>\n"},
};

// Replaces the first "%s" by `prog` and the first "%d" by `type`; the texts
// are fixed, so no general formatting is wanted.
std::string fillUsage(const char* format, const char* prog, int type) {
    std::string out;
    bool progDone = false, typeDone = false;
    for (const char* p = format; *p; ++p) {
        if (p[0] == '%' && p[1] == 's' && !progDone) {
            out += prog;
            progDone = true;
            ++p;
        } else if (p[0] == '%' && p[1] == 'd' && !typeDone) {
            out += std::to_string(type);
            typeDone = true;
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

}  // namespace

const FormInfo* findForm(int type) {
    for (const FormInfo& f : kForms)
        if (f.type == type) return &f;
    return nullptr;
}

int parseFormType(const char* word) {
    const long v = std::strtol(word, nullptr, 10);
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

bool wordCountOk(const FormInfo& form, int argc, const char* const* argv) {
    switch (form.rule) {
    case R::Any: return true;
    case R::AtLeast: return argc >= form.n1;
    case R::Exactly: return argc == form.n1;
    case R::EitherOf: return argc == form.n1 || argc == form.n2;
    case R::ConfigChoice:
        return argc == form.n1 ||
               (argc == form.n2 &&
                (std::strcmp(argv[2], "noSystem") == 0 || std::strcmp(argv[2], "noUser") == 0));
    }
    return false;
}

std::string usageMessage(const FormInfo& form, const char* prog) {
    return form.usage ? fillUsage(form.usage, prog, form.type) : std::string();
}

std::string notSupportedMessage(int type) {
    return "Feature " + std::to_string(type) + " is not supported yet.\n";
}

}  // namespace trev
