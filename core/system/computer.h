#pragma once

#include <filesystem>

namespace cj {

// What the run needs of the computer besides its files: the time and a random sequence.

struct LocalTime {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0;
    double secondsSinceMidnight = 0.0;  // with the fraction
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTime now() = 0;
    // When the file was last written, by this clock; throws RunError when that cannot be told.
    virtual LocalTime lastWritten(const std::filesystem::path& file) = 0;
};

// The run's one random sequence: seeded once, then uniform single-precision draws in [0, 1).
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void seed(float seedValue) = 0;
    virtual float next() = 0;
};

}  // namespace cj
