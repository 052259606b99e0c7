// The production clock.
#include "game/time_of_day.h"

#include <chrono>

namespace tilvara {

double SystemClock::Now() {
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    return static_cast<double>(ms) / 86'400'000.0;
}

}  // namespace tilvara
