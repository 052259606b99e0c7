// The production generator and clock.
#include <chrono>
#include <cstring>

#include "game/random.h"

namespace tilvara {

SystemRandom::SystemRandom() : engine(std::random_device{}()) {}

void SystemRandom::Reseed(double timeOfDay) {
    std::uint64_t bits = 0;
    static_assert(sizeof bits == sizeof timeOfDay);
    std::memcpy(&bits, &timeOfDay, sizeof bits);
    // The next output of the running engine goes into the seed, so two re-seeds at the
    // same clock reading still lead to fresh draws.
    engine.seed(engine() ^ (bits * 0x9E3779B97F4A7C15ull));
}

double SystemRandom::Next() {
    return static_cast<double>(engine() >> 11) * 0x1.0p-53;  // 53 bits: always below 1
}

double SystemClock::Now() {
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    return static_cast<double>(ms) / 86'400'000.0;
}

}  // namespace tilvara
