#pragma once

#include <ctime>
#include <random>

#include "computer.h"

namespace cj {

// The moment as this computer's clock shows it, in its own time zone.
LocalTime localTimeOf(std::time_t moment);

class SystemClock : public Clock {
public:
    LocalTime now() override;
    LocalTime lastWritten(const std::filesystem::path& file) override;
};

class UniformRandom : public RandomSource {
public:
    void seed(float seedValue) override;
    float next() override;

private:
    std::mt19937 engine_;
};

}  // namespace cj
