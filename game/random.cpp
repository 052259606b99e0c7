// The production generator.
#include "game/random.h"

#include <cstring>

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

namespace {
double Uniform(std::mt19937_64& engine) {
    return static_cast<double>(engine() >> 11) * 0x1.0p-53;  // 53 bits: always below 1
}
}  // namespace

double SystemRandom::Next() { return Uniform(engine); }

double SeededRandom::Next() { return Uniform(engine); }

}  // namespace tilvara
