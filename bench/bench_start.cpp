// Start-up of the grade book up to its main window on screen, the splash's wait left out: the
// application object, the program's set-up, the windows registered, the splash and the main window
// shown and painted. Each start runs in a fresh process (this program started again with
// --once); the median of the runs is reported.

#include "app/Registry.h"
#include "controls/Forms.h"
#include "core/StartUp.h"
#include "core/VOXA1.h"
#include "platform/Clock.h"
#include "platform/Desktop.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {
int once(int argc, char* argv[]) {
    QElapsedTimer t;
    t.start();
    Desktop::preferJapanese();
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    Desktop::setUp(app);
    // The splash's timed wait is the one part left out.
    Clock::setTesting(true);
    VOXA1 c;
    Forms forms;
    registerWindows(c, forms);
    Main(c, forms);
    Form* main = forms.find(u"vxMain"_s);
    if (!main || !main->isVisible())
        return 2;
    main->repaint();
    QCoreApplication::processEvents();
    std::printf("%.2f\n", t.nsecsElapsed() / 1e6);
    return 0;
}
} // namespace

int main(int argc, char* argv[]) {
    if (argc > 1 && qstrcmp(argv[1], "--once") == 0)
        return once(argc, argv);
    QCoreApplication app(argc, argv);
    QTemporaryDir home;
    QList<double> ms;
    QList<double> whole;
    for (int i = 0; i < 11; ++i) {
        QElapsedTimer t;
        t.start();
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"HOME"_s, home.path());
        p.setProcessEnvironment(env);
        p.start(QCoreApplication::applicationFilePath(), {u"--once"_s});
        p.waitForFinished(60000);
        whole.append(t.nsecsElapsed() / 1e6);
        bool ok = false;
        const double v = QString::fromLatin1(p.readAllStandardOutput()).trimmed().toDouble(&ok);
        if (!ok || p.exitCode() != 0) {
            std::fprintf(stderr, "a start failed: %s\n", p.readAllStandardError().constData());
            return 1;
        }
        ms.append(v);
    }
    std::sort(ms.begin(), ms.end());
    std::sort(whole.begin(), whole.end());
    std::printf(
        "start-up to the main window (splash wait excluded): median %.1f ms, slowest %.1f ms, %lld starts\n",
        ms[ms.size() / 2], ms.last(), static_cast<long long>(ms.size()));
    std::printf(
        "the whole process, from its launch to its end after the main window was painted: median %.1f ms\n",
        whole[whole.size() / 2]);
    return 0;
}
