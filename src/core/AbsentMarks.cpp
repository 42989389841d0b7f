#include "core/AbsentMarks.h"

#include "core/VOXA1.h"

namespace AbsentMarks {

void loadSheet(VOXA1& c, int subject, int term, int sheet) {
    for (int p = 1; p <= 42; ++p) {
        const bool absent = p <= c.ClassSize && c.Pupil(p).SheetMarks(subject, term).isAbsent(sheet);
        for (int v = 1; v <= 4; ++v)
            c.AbsentTable(p, v, subject, term, sheet) = absent ? 10 : 0;
    }
}

void rebuild(VOXA1& c) {
    c.AbsentTable.fill(0);
    for (int k = 1; k <= 4; ++k)
        for (int t = 1; t <= 3; ++t)
            for (int s = 1; s <= 20; ++s)
                loadSheet(c, k, t, s);
}

} // namespace AbsentMarks
