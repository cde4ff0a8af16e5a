#pragma once

#include "wait_until.h"

#include <QEventLoop>
#include <QTimer>

namespace lullex::test {

// Makes WaitUntil run this thread's Qt event loop between polls, so that sockets, timers and
// windows go on while a test waits. Call once, after the application object exists.
inline void WaitWithQtEvents()
{
    SetWaitPause([](std::chrono::milliseconds period) {
        QEventLoop loop;
        QTimer::singleShot(period, &loop, &QEventLoop::quit);
        loop.exec();
    });
}

}  // namespace lullex::test
