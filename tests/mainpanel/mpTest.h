// Helpers shared by the program and GUI tests of mainpanel.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "Gui.h"
#include "Process.h"
#include "StatusFile.h"
#include "TempRoot.h"
#include "XServer.h"

namespace mp {

inline const std::string kBin = MAINPANEL_BIN;

// mainpanel with `args` after the program name, $Proot set to `root`, and
// DISPLAY naming `display` (unset when empty).
inline tk::Spawn spawn(const std::vector<std::string>& args, const tk::TempRoot& root,
                       const std::string& display) {
    tk::Spawn s;
    s.argv = {kBin};
    s.argv.insert(s.argv.end(), args.begin(), args.end());
    s.env["Proot"] = root.path();
    if (display.empty())
        s.unset.push_back("DISPLAY");
    else
        s.env["DISPLAY"] = display;
    s.unset.push_back("OVS_INST_PLAT");
    return s;
}

// A form of mainpanel on the shared server, with $Proot set to `root`.
inline std::vector<std::string> argv(const std::vector<std::string>& args) {
    std::vector<std::string> v{kBin};
    v.insert(v.end(), args.begin(), args.end());
    return v;
}

inline std::map<std::string, std::string> env(const tk::TempRoot& root) {
    return {{"Proot", root.path()}};
}

inline const char kStatus[] = "install/tmp/form.status";

inline tk::StatusFile status(const tk::TempRoot& root) {
    return tk::StatusFile::load(root.file(kStatus));
}

// The shell of every form: named after the program.
inline const char kShell[] = "mainpanel";

}  // namespace mp
