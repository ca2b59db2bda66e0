// Form types and the functions that start their forms.
#pragma once

// Starts a form after main has checked its word count and done its own steps
// (the result or list file, the platform environment, the size slot): builds
// and fills the form, and sets parentWidget, helpWidget, actionWidget and
// logoWidget for the presentation.  currentWinS already points at the
// form's size slot.
using FormStartFn = void (*)(int argc, char** argv);

// The start function of `type`; nullptr while its form is not built, which
// main answers with "Feature %d is not supported yet.".
FormStartFn findFormStart(int type);
