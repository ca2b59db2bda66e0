// Colours and other values that come from the resources, so that the look
// stays in the app-defaults files and a site can change it there.
#pragma once

#include <Xm/Xm.h>

#include <string>

namespace kit {

// What a colour lookup gives when there is no colour to be had.
constexpr Pixel kNoColour = ~Pixel{0};

// The pixel of a colour name ("black", "#e0e0e0") in the default colormap of
// w's screen; kNoColour when the name is empty or cannot be parsed or
// allocated.
Pixel colour(Widget w, const char* name);

// A string resource of `w` (looked up along w's name and class path, e.g.
// "Trevalon*fieldGrey"); empty when the resources do not give it.
std::string resourceText(Widget w, const char* resource);

// The colour named by the resource `resource` of `w`; kNoColour when the
// resources give none or it cannot be allocated.
Pixel resourceColour(Widget w, const char* resource);

// `p`, or `fallback` when `p` is kNoColour.
inline Pixel orElse(Pixel p, Pixel fallback) { return p == kNoColour ? fallback : p; }

}  // namespace kit
