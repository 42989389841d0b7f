#pragma once

// Time of day and the timed wait of the splash window.
class Clock {
public:
    // Seconds since midnight.
    static double secondsOfDay();
    // Keeps the windows responsive (processes pending events) until the given seconds have passed.
    static void waitProcessingEvents(double seconds);

    // Test double: waiting returns at once and only adds up the seconds asked for.
    static void setTesting(bool on);
    static double waitedForTest();
    static void reset();
};
