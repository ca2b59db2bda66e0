// Helpers shared by the GUI tests of the Installation Information form and
// its e-mail browser.
#pragma once

#include <string>

#include "mpTest.h"

namespace mp {

// Replaces the text of a text field by typing, as a user would: a click
// into it (waiting until typed keys go there: the window manager may still
// hold a click into a new window), the old text deleted key by key, the new
// one typed.  Home and End are not used: in a file selection box's search
// path they move in the directory list.
inline void typeInto(tk::GuiApp& app, const std::string& field, const std::string& text) {
    app.click(field);
    const std::string name = field.substr(field.rfind('/') + 1);
    app.waitFor([&] { return app.focus() == name; }, "keyboard focus in " + field);
    const std::size_t length = app.text(field).size();
    const std::size_t cursor = std::stoul(app.resource(field, "cursorPosition"));
    for (std::size_t i = 0; i < cursor; ++i) app.key("BackSpace");
    for (std::size_t i = cursor; i < length; ++i) app.key("Delete");
    app.typeText(text);
    app.waitFor([&] { return app.text(field) == text; }, "typed into " + field);
}

// Waits until a window just mapped is on the screen and the program knows
// where the window manager put it, so that clicks land in it.
inline void waitPlaced(tk::GuiApp& app, const std::string& path) {
    app.waitMapped(path);
    app.settle();
}

}  // namespace mp
