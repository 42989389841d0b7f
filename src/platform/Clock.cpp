#include "platform/Clock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTime>

namespace {
struct State {
    bool testing = false;
    double waited = 0;
    QDateTime now;
};
QDateTime testMorning() {
    return QDateTime(QDate(2026, 4, 6), QTime(8, 0));
}
State& state() {
    static State s;
    return s;
}
} // namespace

QDateTime Clock::now() {
    const State& s = state();
    return s.testing ? (s.now.isValid() ? s.now : testMorning()) : QDateTime::currentDateTime();
}

double Clock::secondsOfDay() {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

void Clock::waitProcessingEvents(double seconds) {
    State& s = state();
    if (s.testing) {
        s.waited += seconds;
        return;
    }
    // A monotonic timer, so the wait also ends correctly across midnight.
    QElapsedTimer t;
    t.start();
    const qint64 ms = static_cast<qint64>(seconds * 1000);
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
}

void Clock::setTesting(bool on) {
    state().testing = on;
}
double Clock::waitedForTest() {
    return state().waited;
}
void Clock::setNowForTest(const QDateTime& t) {
    state().now = t;
}
void Clock::reset() {
    state().waited = 0;
    state().now = QDateTime();
}
