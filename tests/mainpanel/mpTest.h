// Helpers shared by the program and GUI tests of mainpanel: running it, its
// form.status, and the product catalogue of the product forms:
//   Alpha Suite  alpha   500 available  SHARED (500)
//   Beta Tools   beta    500 available  SHARED (500)
//   Gamma        gamma  2000 available  BIG (2000)
//   Delta        delta   800 installed  DRAW1 (800, installed for one product)
//   Epsilon      eps     350 failed     EPS1 (350, failed package marker)
//   Zeta         zeta    100 failed     ZETA1 (100 from the package information)
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "Gui.h"
#include "Process.h"
#include "TempRoot.h"
#include "XServer.h"
#include "core/statusIo.h"

namespace mp {

inline const std::string kBin = MAINPANEL_BIN;
inline const char kStatus[] = "install/tmp/form.status";
inline const char kShell[] = "mainpanel";   // the shell of every form

// Replaces "%R" by the root's path, "%B" by the program's.
inline std::string expand(std::string s, const tk::TempRoot& root) {
    for (auto [key, value] : {std::pair<std::string, std::string>{"%R", root.path()}, {"%B", kBin}})
        for (std::size_t at; (at = s.find(key)) != std::string::npos;) s.replace(at, 2, value);
    return s;
}

// mainpanel's argument vector; "%R" in `args` is `root` when one is given.
inline std::vector<std::string> argv(const std::vector<std::string>& args, const tk::TempRoot* root = nullptr) {
    std::vector<std::string> v{kBin};
    for (const std::string& a : args) v.push_back(root ? expand(a, *root) : a);
    return v;
}

// mainpanel with `args` after the program name, $Proot set to `root`, and
// DISPLAY naming `display` (unset when empty); no platform.
inline tk::Spawn spawn(const std::vector<std::string>& args, const tk::TempRoot& root,
                       const std::string& display) {
    tk::Spawn s(argv(args, &root));
    s.env["Proot"] = root.path();
    if (display.empty()) s.unset.push_back("DISPLAY");
    else s.env["DISPLAY"] = display;
    s.unset.push_back("OVS_INST_PLAT");
    return s;
}

// $Proot, and the platform of the catalogue below.
inline std::map<std::string, std::string> env(const tk::TempRoot& root) {
    return {{"Proot", root.path()}, {"OVS_INST_PLAT", "sun4v"}};
}

// form.status read by mainpanel's own reader, whose bytes the unit tests
// pin down.
inline trev::FormStatusRec status(const tk::TempRoot& root) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(root.file(kStatus).c_str(), "rb"), &std::fclose);
    trev::FormStatusRec rec;
    if (!f || !trev::readStatusRecord(f.get(), rec)) throw std::runtime_error("form.status holds no whole record");
    return rec;
}

inline const char kProducts[] =
    "Alpha~Suite aux alpha 500 v1 t2 available\n"
    "Beta~Tools aux beta 500 v1 t2 available\n"
    "Gamma aux gamma 2000 v1 t2 available\n"
    "Delta aux delta 800 v1 t2 installed\n"
    "Epsilon aux eps 350 v1 t2 failed\n"
    "Zeta aux zeta 100 v1 t2 failed\n";

inline void writeCatalogue(const tk::TempRoot& root) {
    root.write("prods", kProducts);
    root.write("install/tmp/bundles.sun4v", "x SHARED alpha\nx SHARED beta\nx BIG gamma\n");
    root.write("install/tmp/pkginfo.sun4v", "x SHARED 500 y\nx BIG 2000 y\nx ZETA1 100 y\n");
    root.write("install/pdts/delta_v1_t2.ok", "Delta marker\nDRAW1\n");
    root.write("install/pdts/eps_v1_t2.nok", "Epsilon marker\nEPS1\n");
    root.write("install/pdts/zeta_v1_t2.nok", "Zeta marker\nZETA1\n");
    root.write("install/pkgs/DRAW1.ok", "DRAW1 1.0 800 x\ndelta\n");
    root.write("install/pkgs/EPS1.nok", "EPS1 1.0 350 x\n");
}

// One step of a user at a form; "%R" in a typed text is the root.
using Step = std::function<void(tk::GuiApp&, const tk::TempRoot&)>;
inline Step click(const std::string& w) { return [w](tk::GuiApp& app, const tk::TempRoot&) { app.click(w); }; }
inline Step item(const std::string& list, int pos, unsigned mods = tk::None) {
    return [=](tk::GuiApp& app, const tk::TempRoot&) { app.clickListItem(list, pos, mods); };
}
inline Step type(const std::string& field, const std::string& text) {
    return [=](tk::GuiApp& app, const tk::TempRoot& root) { app.typeInto(field, expand(text, root)); };
}
// Once a window of the program has the keyboard focus.
inline Step key(const std::string& keysym, unsigned mods = tk::None) {
    return [=](tk::GuiApp& app, const tk::TempRoot&) {
        app.waitFor([&] { return !app.focus().empty(); }, "the keyboard focus in the program");
        app.key(keysym, mods);
    };
}

// Takes the steps in turn, each handled before the next.
inline void drive(tk::GuiApp& app, const std::vector<Step>& steps, const tk::TempRoot& root) {
    for (const Step& s : steps) {
        s(app, root);
        if (&s != &steps.back()) app.settle();
    }
}

}  // namespace mp
