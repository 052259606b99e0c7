// The time of day, injected so that a test can stop or move the clock.
#pragma once

namespace tilvara {

// A date-time value: days as a double, whose fraction is the time of day.
class TimeOfDay {
public:
    virtual ~TimeOfDay() = default;
    virtual double Now() = 0;
};

// Days since the Unix epoch in UTC: elapsed times come out right across midnight and
// daylight-saving changes.
class SystemClock final : public TimeOfDay {
public:
    double Now() override;
};

}  // namespace tilvara
