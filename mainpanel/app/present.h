// Presenting a form the same way for every form type, and the pieces of it
// that the forms use again: the logo, the help windows, the placement.
#pragma once

#include <Xm/Xm.h>

#include "kit/help.h"

// The logo: a 50x50 monochrome bitmap.
constexpr int kLogoWidth = 50;
constexpr int kLogoHeight = 50;
constexpr int kLogoBytes = 7 * kLogoHeight;
extern const unsigned char Logo_bits[kLogoBytes];

// Installs the logo in Motif's image cache under "orvantaLogo", the name
// the logo labels give in their resources.  Called once at start-up,
// before any form is built.
void installLogoImage();

// A help window and where it lives; after the window manager closes it, it
// is built again under the same handle.
struct HelpHome {
    kit::HelpSpec spec;
    Widget* parent;   // the handle of its parent shell
    Widget* handle;   // the handle the Help button's link reads
};

// Builds the help window into *home.handle as a child of *home.parent, at
// its fixed width, closing with XDpopdown_link and built again after a
// close by the window manager.  `home` must outlive the window.
void buildHelp(HelpHome& home);

// Shows the current form (parentWidget) with its window title and minimum
// width: the logo, "Trevalon Menu" as icon name, equal action buttons
// (actionWidget), the help window `help` (none when it has no prefix),
// restored size and place, and the window manager's hooks.
void presentForm(const char* title, int minWidth, const kit::HelpSpec& help);
