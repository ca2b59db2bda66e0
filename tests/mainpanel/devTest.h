// Helpers of the device and media form tests.
#pragma once

#include "mpTest.h"

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

// Waits until the dialog `shell` is up and the window manager has done with
// it: a dialog comes up at its own size and is then widened to the minimum
// width of the resources, so its buttons move once.  Done when the client
// sits in the middle of its frame.
inline void waitDialog(tk::GuiApp& app, const std::string& shell, const std::string& inner) {
    app.waitMapped(inner);
    app.waitFor(
        [&] {
            const tk::Rect c = app.geometry(shell), f = app.frameGeometry(shell);
            return c.x - f.x == (f.x + f.width) - (c.x + c.width);
        },
        shell + " placed by the window manager");
}

// The warning dialog's text once it is up and placed.
inline std::string warning(tk::GuiApp& app) {
    waitDialog(app, "WarnDialog", "WarnDialogV");
    return app.label("WarnDialogV");
}

// Closes the warning with its OK button.
inline void closeWarning(tk::GuiApp& app) {
    app.click("WarnDialogOk");
    app.waitUnmapped("WarnDialogV");
}

inline tk::RunResult clickAndExit(tk::GuiApp& app, const std::string& button) {
    app.waitMapped(button);
    app.click(button);
    return app.waitExit();
}

// mainpanel on the shared server without the agent, for start-up errors.
inline tk::RunResult runMp(const std::vector<std::string>& args, const tk::TempRoot& root) {
    return tk::run(mp::spawn(args, root, tk::XServer::shared().display()), std::chrono::seconds(20));
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

// Help pops the form's help window up with its title and text; Close takes
// it down; after a window-manager close, Help shows a new one.
inline void checkHelp(tk::GuiApp& app, const std::string& button, const std::string& form,
                      const std::string& title) {
    const std::string win = form + "HelpTextWin";
    app.waitMapped(button);
    EXPECT_FALSE(app.mapped(win));
    app.click(button);
    app.waitMapped(win);
    EXPECT_EQ(app.title(win), title);
    EXPECT_EQ(app.geometry(win).width, 540);
    const std::string text = app.text(form + "HelpText");
    EXPECT_GT(text.size(), 200u) << text;
    EXPECT_FALSE(app.editable(form + "HelpText"));
    app.click(form + "HelpTextWinClose");
    app.waitUnmapped(win);
    app.click(button);
    app.waitMapped(win);
    app.wmClose(win);
    app.waitUnmapped(win);
    app.click(button);
    app.waitMapped(win);
    EXPECT_EQ(app.text(form + "HelpText"), text);
    app.click(form + "HelpTextWinClose");
    app.waitUnmapped(win);
}

}  // namespace dev
