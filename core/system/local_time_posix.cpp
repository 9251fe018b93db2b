#include "local_time.h"

namespace cj {

std::tm localCalendarTime(std::time_t moment) {
    std::tm local{};
    localtime_r(&moment, &local);
    return local;
}

}  // namespace cj
