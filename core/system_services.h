#pragma once

#include <random>

#include "platform.h"

namespace cj {

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
