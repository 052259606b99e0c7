// The production clocks.
#include "game/time_of_day.h"

#include <chrono>

namespace tilvara {

namespace {

template <typename Clock>
double DaysOn() {
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(Clock::now().time_since_epoch()).count();
    return static_cast<double>(ms) / 86'400'000.0;
}

}  // namespace

double SystemClock::Now() { return DaysOn<std::chrono::system_clock>(); }

double SystemClock::SteadyNow() { return DaysOn<std::chrono::steady_clock>(); }

}  // namespace tilvara
