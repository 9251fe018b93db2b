#include "system_services.h"

#include <bit>
#include <chrono>
#include <ctime>

#include "local_time.h"
#include "text_files.h"

namespace cj {

LocalTime localTimeOf(std::time_t moment) {
    const std::tm local = localCalendarTime(moment);
    LocalTime t;
    t.year = local.tm_year + 1900;
    t.month = local.tm_mon + 1;
    t.day = local.tm_mday;
    t.hour = local.tm_hour;
    t.minute = local.tm_min;
    t.second = local.tm_sec;
    t.secondsSinceMidnight = t.hour * 3600.0 + t.minute * 60.0 + t.second;
    return t;
}

LocalTime SystemClock::now() {
    using namespace std::chrono;
    const auto moment = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(moment);
    LocalTime t = localTimeOf(seconds);
    t.secondsSinceMidnight += duration<double>(moment - system_clock::from_time_t(seconds)).count();
    return t;
}

LocalTime SystemClock::lastWritten(const std::filesystem::path& file) {
    return localTimeOf(std::chrono::system_clock::to_time_t(lastWriteTime(file)));
}

void UniformRandom::seed(float seedValue) { engine_.seed(std::bit_cast<std::uint32_t>(seedValue)); }

float UniformRandom::next() {
    // generate_canonical may round up to exactly 1, which the draws must never reach.
    for (;;) {
        const float draw = std::generate_canonical<float, 24>(engine_);
        if (draw < 1.0f) return draw;
    }
}

}  // namespace cj
