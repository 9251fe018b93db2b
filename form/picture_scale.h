#pragma once

namespace cj::form {

// A picture box's user scale: (0, 0) at the top-left corner of its interior, (width, height)
// at the bottom-right. None until the run sets one at start-up.
struct UserScale {
    float width = 0.0f;
    float height = 0.0f;
};

struct PixelCircle {
    double x, y, radius;
};

// Where a circle given in the user scale lies in an interior of this many pixels: a true
// circle on the screen, its radius measured in horizontal units.
inline PixelCircle pixelCircle(UserScale scale, int interiorWidth, int interiorHeight, float x, float y,
                               float radius) {
    const double unitsToPixels = interiorWidth / static_cast<double>(scale.width);
    return {x * unitsToPixels, y * interiorHeight / static_cast<double>(scale.height), radius * unitsToPixels};
}

// Nothing can be drawn before the run sets a scale, or on a box with no interior.
inline bool canDrawIn(UserScale scale, int interiorWidth, int interiorHeight) {
    return scale.width > 0 && scale.height > 0 && interiorWidth > 0 && interiorHeight > 0;
}

}  // namespace cj::form
