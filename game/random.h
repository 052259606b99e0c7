// Randomness and the time of day, injected so that a test can replay any deal.
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

// A date-time value: days as a double, whose fraction is the time of day.
class TimeOfDay {
public:
    virtual ~TimeOfDay() = default;
    virtual double Now() = 0;
};

class SystemRandom final : public Random {
public:
    SystemRandom();
    void Reseed(double timeOfDay) override;
    double Next() override;

private:
    std::mt19937_64 engine;
};

// Days since the Unix epoch in UTC: elapsed times come out right across midnight and
// daylight-saving changes.
class SystemClock final : public TimeOfDay {
public:
    double Now() override;
};

}  // namespace tilvara
