// Randomness, injected so that a test can replay any deal.
#pragma once

#include <cstdint>
#include <random>

namespace tilvara {

// Uniform draws in [0, 1), with a re-seed from the time of day that mixes it into the
// running state rather than restarting the sequence.
class Random {
public:
    virtual ~Random() = default;
    virtual void Reseed(double timeOfDay) = 0;
    virtual double Next() = 0;
};

class SystemRandom final : public Random {
public:
    SystemRandom();
    void Reseed(double timeOfDay) override;
    double Next() override;

private:
    std::mt19937_64 engine;
};

// The same draws on every run for a given seed (a test, or the page opened with ?seed=N). It
// leaves the time of day out of its re-seeds, or no two runs would deal alike.
class SeededRandom final : public Random {
public:
    explicit SeededRandom(std::uint64_t seed) : engine(seed) {}
    void Reseed(double) override {}
    double Next() override;

private:
    std::mt19937_64 engine;
};

}  // namespace tilvara
