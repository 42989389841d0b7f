#pragma once

#include "core/ClassFiles.h"
#include "core/VOXA1.h"

#include "FuzzCheck.h"

#include <QList>

using namespace Qt::StringLiterals;

// A class read from fuzzed bytes, and what must hold for every class the reader accepts: the
// roster within its bounds, and the class written out reads back as the same class.
namespace FuzzClass {

// Settings of a class of n pupils (0..42), as the grade book writes them; made once.
inline QByteArray settingsFor(int n) {
    static const QList<QByteArray> made = [] {
        QList<QByteArray> out;
        VOXA1 c;
        c.CurTerm = 1;
        for (int i = 0; i <= 42; ++i) {
            c.ClassSize = static_cast<qint16>(i);
            out.append(ClassFiles::settingsBytes(c));
        }
        return out;
    }();
    return made[n];
}

// The index of a roster whose positions hold the given record numbers (1..99).
inline QByteArray indexFor(const QList<int>& records) {
    QByteArray out(ClassFiles::kIndexRecords * 4, '\0');
    for (qsizetype i = 0; i < records.size(); ++i) {
        const QByteArray text = QByteArray::number(records[i]);
        out[i * 4] = static_cast<char>(text.size());
        out.replace(i * 4 + 2, text.size(), text);
    }
    return out;
}

inline void readAndCheck(const ClassFiles::ClassBytes& files) {
    // Made once: a class is large. The reader replaces the whole class or leaves it as it was.
    static VOXA1 c;
    static VOXA1 back;
    static QByteArray dat(qsizetype(ClassFiles::kMaxRecordNumber) * ClassFiles::kRecordSize, '\0');
    c.ClassPath = u"C:\\voxadata\\5-1"_s;
    QString notice;
    if (!ClassFiles::readClassBytes(files, c, &notice).isEmpty())
        return;
    FuzzCheck::require(c.ClassSize >= 0 && c.ClassSize <= 42, "class size 0..42");
    FuzzCheck::require(ClassFiles::recordNumberProblem(c).isEmpty(), "record numbers checked");
    // The pupil file as a save would write it, from nothing but the roster's records.
    dat.fill('\0');
    for (int i = 1; i <= c.ClassSize; ++i) {
        const QByteArray rec = ClassFiles::recordBytes(c.Pupil(i));
        const qsizetype at = qsizetype(ClassFiles::recordNumber(c.RecNo(i)) - 1) * ClassFiles::kRecordSize;
        std::copy(rec.begin(), rec.end(), dat.begin() + at);
    }
    const ClassFiles::ClassBytes written{ClassFiles::settingsBytes(c), ClassFiles::indexBytes(c), dat};
    back.ClassPath = c.ClassPath;
    FuzzCheck::require(ClassFiles::readClassBytes(written, back).isEmpty(), "written class read back");
    FuzzCheck::require(back.ClassSize == c.ClassSize, "same class size");
    for (int i = 1; i <= c.ClassSize; ++i) {
        FuzzCheck::require(back.RecNo(i) == c.RecNo(i), "same record numbers");
        FuzzCheck::require(ClassFiles::recordBytes(back.Pupil(i)) == ClassFiles::recordBytes(c.Pupil(i)),
                           "same pupil records");
    }
}

} // namespace FuzzClass
