// voxa_saveloop FOLDER: loads the class 5-1 of the folder and saves it over and over, in turn as
// the states of SaveStates, until it is killed. Prints one line once it is saving.

#include "SaveStates.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    VOXA1 loaded;
    loaded.ClassPath = QString::fromLocal8Bit(argv[1]) + u"/5-1"_s;
    if (!ClassFiles::loadClass(loaded).isEmpty())
        return 3;
    QList<SaveStates::State> states = SaveStates::make(loaded);
    std::fputs("saving\n", stdout);
    std::fflush(stdout);
    for (unsigned n = 0;; ++n) {
        SaveStates::State& s = states[static_cast<qsizetype>(n % states.size())];
        if (!ClassFiles::saveFiles(s.c, s.parts).isEmpty())
            return 4;
    }
}
