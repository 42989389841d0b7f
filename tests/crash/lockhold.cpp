// voxa_lockhold FOLDER hold [BASE]  takes the lock of the class 5-1 (or of BASE) in FOLDER, prints
//                             "held" and waits to be killed
// voxa_lockhold FOLDER STEP   takes it stopping after STEP (0 its intent made, 1 written, 2 the lock made,
//                             3 the lock written) and ends at once, as a program killed there would

#include "platform/ClassLock.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>
#include <unistd.h>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 3 && argc != 4)
        return 2;
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QByteArray how = argv[2];
    if (how != "hold")
        ClassLock::stopAfterStepForTest(how.toInt());
    const ClassLock lock(folder, argc == 4 ? QString::fromLocal8Bit(argv[3]) : QStringLiteral("5-1"));
    if (how != "hold")
        ::_exit(0);
    if (lock.status() != ClassLock::Status::Taken)
        return 3;
    std::fputs("held\n", stdout);
    std::fflush(stdout);
    for (;;)
        QThread::sleep(1);
}
