// The form registry: one row per form type, holding everything the form
// server knows of a form before the form's own file takes over.  Adding a
// form means a row here, the form's file and its resources.
#pragma once

#include "core/formArgs.h"
#include "core/statusRecord.h"
#include "kit/help.h"

// Builds and fills a form after main has checked its word count and done
// the row's steps (the file its arguments name, the catalogue paths, the
// size slot); sets parentWidget, actionWidget and logoWidget.
using FormStartFn = void (*)(int argc, char** argv);

// A file that an argument names and main opens for the form: the
// argument's index and the fopen mode; index 0 for none.
struct ArgFile {
    int arg = 0;
    const char* mode = nullptr;
};

struct FormRow {
    int type;
    const char* title;           // window title
    int minWidth;                // the shell's minimum width in pixels
    trev::SizeSlot slot;         // window-size slot in the status record
    trev::WordCount words;       // word count of the command line
    const char* usage;           // usage message ("%s" program, "%d" type); nullptr: none
    FormStartFn start;
    kit::HelpSpec help;          // its help window, a child of its shell; none: no help
    bool needsCatalogue;         // reads $OVS_INST_PLAT and the catalogue paths
    ArgFile file;                // the result or list file main opens
    trev::DeviceArgs deviceArgs{};   // words naming a device the form may print
    // For a form with one size slot per variant: the slot its arguments
    // choose (arguments it does not know end the run).
    trev::SizeSlot (*slotFor)(char** argv) = nullptr;
};

// The row of `type`; nullptr for a type without a form.
const FormRow* findForm(int type);
