#pragma once

#include <QDateTime>

// Time of day, the date of backups and the timed wait of the splash window.
class Clock {
public:
    // The local date and time now.
    static QDateTime now();
    // Seconds since midnight.
    static double secondsOfDay();
    // Keeps the windows responsive (processes pending events) until the given seconds have passed.
    static void waitProcessingEvents(double seconds);

    // Test double: waiting returns at once and only adds up the seconds asked for.
    static void setTesting(bool on);
    static double waitedForTest();
    // In testing, now() gives this time until it is set again (a fixed morning by default).
    static void setNowForTest(const QDateTime& t);
    static void reset();
};
