#pragma once
// Runs the event loop until the condition holds or the time is up.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>

inline bool WaitFor(const std::function<bool()> &done, int ms) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}
