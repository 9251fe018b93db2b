// Prints the window's control table for the scripts that drive the real window: a line
// "name left top width height" in twips for each control, then one for the client area.

#include <iostream>

#include "control_table.h"

int main() {
    using namespace cj::form;
    for (const Control& control : controls()) {
        const TwipRect& place = control.place;
        std::cout << control.name << ' ' << place.left << ' ' << place.top << ' ' << place.width << ' '
                  << place.height << '\n';
    }
    std::cout << "client_area 0 0 " << kClientWidthTwips << ' ' << kClientHeightTwips << '\n';
    return std::cout.flush() ? 0 : 1;
}
