// Form type 3, Disk Space Check Failed: the free space is short of what the
// chosen products need; reselect, ignore, recheck or go to the main menu.
#include "app/form.h"
#include "selListRm/forms.h"

namespace {

// A disk figure right-aligned in six characters.
std::string lackSpaceFigure(const char* text) {
    std::string s = text;
    if (s.size() < 6) s.insert(0, 6 - s.size(), ' ');
    return s;
}

// A caption and its value on one row below `above`; the values of the rows
// line up at the left edge of `column` (nullptr: right of the caption).
// Returns the caption.
Widget figureRow(Widget upper, Widget above, const char* captionName, const char* valueName,
                 Widget column, const char* figure, Widget* value) {
    Widget caption = XtVaCreateManagedWidget(
        captionName, xmLabelWidgetClass, upper,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, above, XmNtopOffset, 6,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 40, nullptr);
    *value = XtVaCreateManagedWidget(
        valueName, xmLabelWidgetClass, upper,
        XmNtopAttachment, XmATTACH_OPPOSITE_WIDGET, XmNtopWidget, caption,
        XmNleftAttachment, column ? XmATTACH_OPPOSITE_WIDGET : XmATTACH_WIDGET,
        XmNleftWidget, column ? column : caption, XmNleftOffset, column ? 0 : 20, nullptr);
    kit::setLabel(*value, lackSpaceFigure(figure));
    return caption;
}

}  // namespace

// mainpanel 3 avaSpace reqSpace
void startLackSpace(int, char** argv) {
    Widget shell = createFormShell();
    kit::Frame f = kit::buildFrame(shell, {"widget399", "widget400", "lackSpaceLogo",
                                           "lackSpaceOrvanta", "lackSpaceTitle", "lackSpaceHead",
                                           "widget410", "lackSpaceAction"});
    Widget head1 = XtVaCreateManagedWidget(
        "lackSpaceHead1", xmLabelWidgetClass, f.upper,
        XmNtopAttachment, XmATTACH_WIDGET, XmNtopWidget, f.top(), XmNtopOffset, 12,
        XmNleftAttachment, XmATTACH_FORM, XmNleftOffset, 20, nullptr);
    Widget available = nullptr, required = nullptr;
    Widget row = figureRow(f.upper, head1, "lackSpaceDiskAvaL", "lackSpaceDiskAvaV", nullptr,
                           argv[2], &available);
    figureRow(f.upper, row, "lackSpaceDiskReqL", "lackSpaceDiskReqV", available, argv[3], &required);
    const std::vector<Widget> b = kit::buildActions(
        f, kit::Layout::Spread,
        {{"lackSpaceReselect", exitCB, kit::number(kPrevious)},
         {"lackSpaceIngore", exitCB, kit::number(kIgnore)},
         {"lackSpaceRecheck", exitCB, kit::number(kRecheck)},
         {"lackSpaceMainMenu", exitCB, kit::number(kMainMenu)},
         {"lackSpaceHelp", XDpopup_link, &helpWidget}});
    // Return measures the free space again: neither going on without room
    // nor dropping the choice happens by accident.
    kit::manageFrame(f, b[2]);
    makeCurrentForm(shell, f);
}
