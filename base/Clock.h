#pragma once

// The local date and time of day, as the system clock gives it.
struct LocalTime {
    unsigned year, month, day, hour, minute, second;
};

// Where "now" comes from, so that tests can fix it.
class Clock {
public:
    virtual LocalTime Now() const = 0;

protected:
    ~Clock() = default;
};

// The machine's own clock in local time.
class SystemClock : public Clock {
public:
    LocalTime Now() const override;
};
