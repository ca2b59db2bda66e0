// Helpers shared by the program and GUI tests of mainpanel: running it, its
// form.status, the catalogue of the product forms, and the checks that
// several forms share (help windows, the warning dialog, device fields).
//
// The catalogue of the product forms, in file order (size, status,
// packages):
//   Alpha Suite  alpha   500 available  SHARED (500)
//   Beta Tools   beta    500 available  SHARED (500)
//   Gamma        gamma  2000 available  BIG (2000)
//   Delta        delta   800 installed  DRAW1 (800, installed for one product)
//   Epsilon      eps     350 failed     EPS1 (350, failed package marker)
//   Zeta         zeta    100 failed     ZETA1 (100 from the package information)
// Alpha and Beta share SHARED: both selected need 500, not 1000.
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

// mainpanel on the shared server without the agent, for start-up errors.
inline tk::RunResult runMp(const std::vector<std::string>& args, const tk::TempRoot& root,
                           const std::map<std::string, std::string>& extraEnv = {}) {
    tk::Spawn s = spawn(args, root, tk::XServer::shared().display());
    for (const auto& [k, v] : extraEnv) s.env[k] = v;
    return tk::run(s, std::chrono::seconds(20));
}

// Help pops the form's help window "<form>HelpTextWin" up with its title,
// icon name, width and read-only text "<form>HelpText"; Help again leaves
// it up; a session manager's WM_SAVE_YOURSELF leaves it alone, so Close
// still takes it down; after a window-manager close a hidden new one takes
// its place and Help shows it with the same text.
inline void checkHelp(tk::GuiApp& app, const std::string& button, const std::string& form,
                      const std::string& title) {
    const std::string win = form + "HelpTextWin", text = form + "HelpText", close = win + "Close";
    app.waitMapped(button);
    EXPECT_FALSE(app.mapped(win));
    app.click(button);
    app.waitMapped(win);
    EXPECT_EQ(app.title(win), title);
    EXPECT_EQ(app.iconName(win), "Trevalon Help");
    EXPECT_EQ(app.geometry(win).width, 540);
    const std::string helpText = app.text(text);
    EXPECT_GT(helpText.size(), 200u) << helpText;
    EXPECT_FALSE(app.editable(text));
    app.click(button);
    app.wmSaveYourself(win);
    app.click(close);
    app.waitUnmapped(win);
    app.click(button);
    app.waitMapped(win);
    app.wmClose(win);
    app.waitUnmapped(win);
    EXPECT_TRUE(app.exists(win));
    EXPECT_TRUE(app.running());
    app.click(button);
    app.waitMapped(win);
    EXPECT_EQ(app.text(text), helpText);
    EXPECT_EQ(app.title(win), title);
    EXPECT_EQ(app.geometry(win).width, 540);
    app.click(close);
    app.waitUnmapped(win);
}

}  // namespace mp

namespace cg {

inline const char kProducts[] =
    "Alpha~Suite aux alpha 500 v1 t2 available\n"
    "Beta~Tools aux beta 500 v1 t2 available\n"
    "Gamma aux gamma 2000 v1 t2 available\n"
    "Delta aux delta 800 v1 t2 installed\n"
    "Epsilon aux eps 350 v1 t2 failed\n"
    "Zeta aux zeta 100 v1 t2 failed\n";

// The list lines in file order.
inline const std::vector<std::string> kLinesByName = {
    "   500  available  Alpha Suite", "   500  available  Beta Tools",
    "  2000  available  Gamma",       "   800  installed  Delta",
    "   350  failed     Epsilon",     "   100  failed     Zeta"};

inline void writeCatalogue(const tk::TempRoot& root) {
    root.write("prods", kProducts);
    root.write("install/tmp/bundles.sun4v",
               "x SHARED alpha\nx SHARED beta\nx BIG gamma\nx UNUSED nobody\n");
    root.write("install/tmp/pkginfo.sun4v",
               "x SHARED 500 y\nx BIG 1 y\nx BIG 2000 y\nx ZETA1 100 y\nx EPS1 9999 y\n");
    root.write("install/pdts/delta_v1_t2.ok", "Delta marker\nDRAW1\n");
    root.write("install/pdts/eps_v1_t2.nok", "Epsilon marker\nEPS1\n");
    root.write("install/pdts/zeta_v1_t2.nok", "Zeta marker\nZETA1\n");
    root.write("install/pkgs/DRAW1.ok", "DRAW1 1.0 800 x\ndelta\n");
    root.write("install/pkgs/EPS1.nok", "EPS1 1.0 350 x\n");
}

// `mainpanel 2 prods sel <free> <order>` or `mainpanel 18 prods sel <free>`.
inline std::vector<std::string> loadProducts(const tk::TempRoot& root, const std::string& free,
                                             const std::string& workOrder = "1234") {
    return mp::argv({"2", root.file("prods"), root.file("sel"), free, workOrder});
}
inline std::vector<std::string> loadDocuments(const tk::TempRoot& root, const std::string& free) {
    return mp::argv({"18", root.file("prods"), root.file("sel"), free});
}

inline std::map<std::string, std::string> env(const tk::TempRoot& root) {
    return {{"Proot", root.path()}, {"OVS_INST_PLAT", "sun4v"}};
}

// OK pressed with nothing selected: the no-selection note comes up, closes
// with its own OK, and the form is still there.
inline void okShowsNoSelectionNote(tk::GuiApp& app, const std::string& ok) {
    app.click(ok);
    app.waitMapped("WarnNoProdSelL");
    app.waitPlaced("WarnNoProdSel");
    app.click("WarnNoProdSelOk");
    app.waitUnmapped("WarnNoProdSelL");
    EXPECT_TRUE(app.running()) << ok;
}

// Help pops up the form's help window "<form>HelpTextWin" under its title,
// with a text of some length in "<form>HelpText".
inline void expectHelpWindow(tk::GuiApp& app, const std::string& help, const std::string& window,
                             const std::string& title) {
    app.click(help);
    app.waitMapped(window);
    EXPECT_EQ(app.title(window), title);
    EXPECT_GT(app.text(window.substr(0, window.size() - 3)).size(), 400u) << window;
}

// The text of a disk label: "%d KBytes" in 15 characters.
inline std::string kb(long long v) {
    std::string s = std::to_string(v) + " KBytes";
    s.resize(15, ' ');
    return s;
}

}  // namespace cg

namespace dev {

// The Host field of an entry group: grey on grey while local, light with
// black text while remote.
inline const char kGrey[] = "#c0c0c0";
inline const char kEditable[] = "#e0e0e0";

inline void expectHostGrey(tk::GuiApp& app, const std::string& field) {
    const tk::Colors c = app.colors(field);
    EXPECT_EQ(c.bg, kGrey) << field;
    EXPECT_EQ(c.fg, kGrey) << field;
    EXPECT_FALSE(app.editable(field)) << field;
}

inline void expectHostEditable(tk::GuiApp& app, const std::string& field) {
    const tk::Colors c = app.colors(field);
    EXPECT_EQ(c.bg, kEditable) << field;
    EXPECT_EQ(c.fg, "#000000") << field;
    EXPECT_TRUE(app.editable(field)) << field;
}

// The warning dialog's text once it is up and placed.
inline std::string warning(tk::GuiApp& app) {
    app.waitDialog("WarnDialog", "WarnDialogV");
    return app.label("WarnDialogV");
}

// Closes the warning with its OK button.
inline void closeWarning(tk::GuiApp& app) {
    app.click("WarnDialogOk");
    app.waitUnmapped("WarnDialogV");
}

// What the calling script gets: the printed lines evaluated by /bin/sh,
// then the value of `variable`.
inline std::string evalLines(const tk::TempRoot& root, const std::string& lines,
                             const std::string& variable) {
    const std::string file = root.write("printed.lines", lines);
    tk::Spawn s({"/bin/sh", "-c", "eval \"$(cat \"$1\")\" && printf %s \"$" + variable + "\"",
                 "sh", file});
    tk::RunResult r = tk::run(s);
    EXPECT_EQ(r.code, 0) << r.describe();
    return r.out;
}

}  // namespace dev
