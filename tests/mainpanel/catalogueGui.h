// A small catalogue in a temporary root for the tests of the product forms.
//
// Products, in file order (size, status, packages):
//   Alpha Suite  alpha   500 available  SHARED (500)
//   Beta Tools   beta    500 available  SHARED (500)
//   Gamma        gamma  2000 available  BIG (2000)
//   Delta        delta   800 installed  DRAW1 (800, installed for one product)
//   Epsilon      eps     350 failed     EPS1 (350, failed package marker)
//   Zeta         zeta    100 failed     ZETA1 (100 from the package information)
// Alpha and Beta share SHARED: both selected need 500, not 1000.
#pragma once

#include <string>
#include <vector>

#include "mpTest.h"

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

// Waits until the window manager has framed `shell` and left it in place: a
// window may still move for a moment after it is on the screen, and a click
// computed before the move misses.
inline void waitPlaced(tk::GuiApp& app, const std::string& shell) {
    tk::Rect last{-1, -1, -1, -1};
    int steady = 0;
    app.waitFor(
        [&] {
            const tk::Rect g = app.geometry(shell);
            const bool framed = app.frameGeometry(shell).height > g.height;
            steady = framed && g.x == last.x && g.y == last.y ? steady + 1 : 0;
            last = g;
            return steady >= 3;
        },
        shell + " framed and in place");
}

// OK pressed with nothing selected: the no-selection note comes up, closes
// with its own OK, and the form is still there.
inline void okShowsNoSelectionNote(tk::GuiApp& app, const std::string& ok) {
    app.click(ok);
    app.waitMapped("WarnNoProdSelL");
    waitPlaced(app, "WarnNoProdSel");
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
