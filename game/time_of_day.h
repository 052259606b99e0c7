// The time of day and a steady clock, injected so that a test can stop or move them.
#pragma once

namespace tilvara {

// Both readings in days as a double. Now() is a date-time value, whose fraction is the time
// of day; SteadyNow() only ever moves forward, from an arbitrary start, so a span measured on
// it stays right when the wall clock is set back or forward meanwhile.
class TimeOfDay {
public:
    virtual ~TimeOfDay() = default;
    virtual double Now() = 0;
    virtual double SteadyNow() = 0;
};

// Now(): days since the Unix epoch in UTC, which mixes into the random generator.
class SystemClock final : public TimeOfDay {
public:
    double Now() override;
    double SteadyNow() override;
};

}  // namespace tilvara
