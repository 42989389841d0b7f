#pragma once

#include "core/ClassFiles.h"
#include "core/VOXA1.h"

#include <QList>

using namespace Qt::StringLiterals;

// The class states the crash test saves over and over: the class as loaded (A), the same class
// after a pupil is transferred out (B, only the index and the settings are saved) and the class
// with new names, marks and a school name (C). Every pair differs in at least two files, so a
// mix of two saves shows.
namespace SaveStates {

struct State {
    VOXA1 c;
    int parts = 0;
};

inline QList<State> make(const VOXA1& loaded) {
    State a{loaded, ClassFiles::PupilFile | ClassFiles::IndexFile | ClassFiles::SettingsFile};
    State b{loaded, ClassFiles::IndexFile | ClassFiles::SettingsFile};
    for (int i = 1; i < b.c.ClassSize; ++i)
        b.c.RecNo(i) = b.c.RecNo(i + 1);
    b.c.RecNo(b.c.ClassSize) = u" 0"_s;
    b.c.ClassSize = static_cast<qint16>(b.c.ClassSize - 1);
    State c{loaded, a.parts};
    c.c.SchoolName = u"書き換え小学校"_s;
    for (int i = 1; i <= c.c.ClassSize; ++i) {
        c.c.Pupil(i).PName = u"書き換え%1"_s.arg(i);
        c.c.Pupil(i).SubjScore(1, 1) = static_cast<qint16>(i);
    }
    return {a, b, c};
}

} // namespace SaveStates
