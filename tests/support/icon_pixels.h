#pragma once
// Reading back what an icon handle shows, to tell icons apart by colour and size.
#include <ostream>

struct RgbColour {
    unsigned red = 0;
    unsigned green = 0;
    unsigned blue = 0;
    bool operator==(const RgbColour&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const RgbColour& c) {
    return out << "rgb(" << c.red << ", " << c.green << ", " << c.blue << ")";
}

// Colour of the pixel in the middle of the icon's colour image; black when the
// icon cannot be read.
RgbColour iconCentreColour(void* icon);

// Width of the icon in pixels; 0 when the icon cannot be read.
int iconWidth(void* icon);
