// voxa_saveloop FOLDER: loads the class 5-1 of the folder and saves it over and over, in turn as
// the states of SaveStates, until it is killed. Prints one line once it is saving.
// voxa_saveloop FOLDER COUNT: saves COUNT times, the states in turn, and prints for each save the
// number of the state when the save reported success, "refused" when another program had the class,
// or the error.

#include "SaveStates.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QThread>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 2 && argc != 3)
        return 2;
    VOXA1 loaded;
    loaded.ClassPath = QString::fromLocal8Bit(argv[1]) + u"/5-1"_s;
    // Another program may be reading the class at this moment: try again a little later.
    for (int tries = 0; !ClassFiles::loadClass(loaded).isEmpty(); ++tries) {
        if (tries == 1000)
            return 3;
        QThread::msleep(2);
    }
    QList<SaveStates::State> states = SaveStates::make(loaded);
    if (argc == 3) {
        QTextStream out(stdout);
        const int count = QString::fromLocal8Bit(argv[2]).toInt();
        for (int n = 0; n < count; ++n) {
            SaveStates::State& s = states[n % states.size()];
            const QString error = ClassFiles::saveFiles(s.c, s.parts);
            if (error.isEmpty())
                out << n % states.size() << Qt::endl;
            else if (error.contains(u"使用中"_s))
                out << "refused" << Qt::endl;
            else
                out << error.simplified() << Qt::endl;
        }
        return 0;
    }
    std::fputs("saving\n", stdout);
    std::fflush(stdout);
    for (unsigned n = 0;; ++n) {
        SaveStates::State& s = states[static_cast<qsizetype>(n % states.size())];
        if (!ClassFiles::saveFiles(s.c, s.parts).isEmpty())
            return 4;
    }
}
