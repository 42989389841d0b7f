#include "roster/Roster.h"

#include "core/AbsentMarks.h"
#include "core/ClassFiles.h"
#include "core/NumberFormat.h"
#include "core/VOXA1.h"

using namespace Qt::StringLiterals;

namespace Roster {

QString sexCell(const QString& sex) {
    if (sex == u"1"_s)
        return u"男"_s;
    if (sex == u"2"_s)
        return u"女"_s;
    return {};
}

QString sexBox(const QString& cell) {
    if (cell == u"男"_s)
        return u"1"_s;
    if (cell == u"女"_s)
        return u"2"_s;
    return {};
}

QString sexFromBox(const QString& box, const QString& cell) {
    if (box == u"1"_s)
        return u"男"_s;
    if (box == u"2"_s)
        return u"女"_s;
    if (box.isEmpty())
        return {};
    return cell;
}

QString sexFromCell(const QString& cell) {
    if (cell == u"男"_s)
        return u"1"_s;
    if (cell == u"女"_s)
        return u"2"_s;
    return u"0"_s;
}

Cell afterEnter(Cell at, int classSize) {
    if (at.col == 2)
        return {at.row >= classSize ? 1 : at.row + 1, 1};
    return {at.row, 2};
}

Cell afterArrow(Cell at, Arrow key, int classSize) {
    switch (key) {
    case Arrow::Left:
    case Arrow::Right:
        return {at.row, at.col == 1 ? 2 : 1};
    case Arrow::Up:
        return {at.row <= 1 ? classSize : at.row - 1, at.col};
    case Arrow::Down:
        return {at.row >= classSize ? 1 : at.row + 1, at.col};
    }
    return at;
}

bool transferOut(VOXA1& c, int n) {
    if (n < 1 || n > c.ClassSize)
        return false;
    if (!c.SavePupils())
        return false;
    // Everything as it was before the first change, to go back to when a step fails: otherwise the
    // records would stand one place off and the next save would write each pupil over the next.
    const VOXA1 before = c;
    for (int i = n; i < c.ClassSize; ++i)
        c.RecNo(i) = c.RecNo(i + 1);
    c.RecNo(c.ClassSize) = u" 0"_s;
    c.ClassSize = static_cast<qint16>(c.ClassSize - 1);
    // The index and the settings change together or not at all.
    if (!c.SaveIndexAndSettings()) {
        c = before;
        return false;
    }
    if (!c.LoadClass()) {
        // The files say the pupil has left but cannot be read back: they go back to the class
        // as it was, as far as the disk allows, and the teacher has been told which file.
        c = before;
        ClassFiles::saveFiles(c, ClassFiles::IndexFile | ClassFiles::SettingsFile);
        return false;
    }
    // The absence marks follow the pupils to their new numbers.
    AbsentMarks::rebuild(c);
    return true;
}

namespace {
// The record number of a pupil transferred in: the one after the last position's.
QString nextRecordNumber(const VOXA1& c) {
    const int last = c.ClassSize > 0 ? ClassFiles::recordNumber(c.RecNo(c.ClassSize)) : 0;
    return NumberFormat::withBlank(last + 1).right(2);
}
} // namespace

QString transferInRefusal(const VOXA1& c) {
    if (c.ClassSize >= 42)
        return u"学級の人数は４２人までです。これ以上転入できません。"_s;
    const int last = c.ClassSize > 0 ? ClassFiles::recordNumber(c.RecNo(c.ClassSize)) : 0;
    if (last + 1 > ClassFiles::kMaxRecordNumber)
        return u"記録番号が９９を越えるので、これ以上転入できません。"_s;
    // The roster with the new pupil must pass the same check as every save.
    VOXA1 after = c;
    after.ClassSize = static_cast<qint16>(c.ClassSize + 1);
    after.RecNo(after.ClassSize) = nextRecordNumber(c);
    const QString problem = ClassFiles::recordNumberProblem(after);
    if (!problem.isEmpty())
        return problem + u"\r\n"_s + u"転入できません。"_s;
    return {};
}

bool transferIn(VOXA1& c) {
    if (!transferInRefusal(c).isEmpty())
        return false;
    if (!c.SavePupils())
        return false;
    const VOXA1 before = c;
    const QString recNo = nextRecordNumber(c);
    c.ClassSize = static_cast<qint16>(c.ClassSize + 1);
    c.RecNo(c.ClassSize) = recNo;
    // The new pupil starts from nothing, never from a record an earlier pupil left in memory; the
    // record is written at once, so the files never point at a record that is not there.
    c.Pupil(c.ClassSize) = PupilRec();
    if (!c.SaveClass()) {
        c = before;
        return false;
    }
    return true;
}

} // namespace Roster
