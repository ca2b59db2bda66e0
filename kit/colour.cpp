#include "colour.h"

#include <X11/Xlib.h>

#include <cctype>

namespace kit {

Pixel colour(Widget w, const char* name) {
    if (!w || !name || !*name) return kNoColour;
    Display* d = XtDisplay(w);
    Colormap cmap = DefaultColormapOfScreen(XtScreen(w));
    XColor c;
    if (!XParseColor(d, cmap, name, &c) || !XAllocColor(d, cmap, &c)) return kNoColour;
    return c.pixel;
}

std::string resourceText(Widget w, const char* resource) {
    if (!w) return {};
    // The class is the name with its first letter in capitals, as the
    // toolkit's own resources are named.
    std::string cls = resource;
    if (!cls.empty()) cls[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(cls[0])));
    String value = nullptr;
    XtResource r{const_cast<char*>(resource), const_cast<char*>(cls.c_str()), const_cast<char*>(XmRString),
                 sizeof(String), 0, const_cast<char*>(XmRImmediate), nullptr};
    XtGetApplicationResources(w, &value, &r, 1, nullptr, 0);
    return value ? std::string(value) : std::string();
}

Pixel resourceColour(Widget w, const char* resource) {
    const std::string name = resourceText(w, resource);
    return colour(w, name.c_str());
}

}  // namespace kit
