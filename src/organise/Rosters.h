#pragma once

#include "organise/GradeData.h"

// Next year's rosters from the new classes: for each class (G+1)-c the three class files as a new
// class is made (school and city carried over, the viewpoint names of the new grade, no password,
// term 1) with its pupils, and beside them a CSV of names and sexes in the form the name import
// reads, for a school that makes its classes by hand.
namespace Rosters {

enum class Order { Together, BoysFirst };

struct Roster {
    QString file;           // "6-1"
    QList<int> pupils;      // indices into Grade::pupils, in attendance order
    bool byReading = false; // every pupil has a reading: numbered by it
};

// The rosters of an assignment (pupil → new class 0..K-1).
QList<Roster> plan(const GradeData::Grade& g, const OrganiseRules& rules, const QList<int>& assignment,
                   int classes, Order order);

// The files of the rosters that are already in the folder (drive-letter paths); writing refuses when
// there are any.
QStringList existing(const QString& folder, const QList<Roster>& rosters);

// Writes every roster into the folder (drive-letter form) or nothing: the files already there are
// never replaced, and when one class cannot be written the ones written before it are taken away
// again. An empty text, or the message for the teacher. `written` lists the files made.
QString write(const QString& folder, const GradeData::Grade& g, const QList<Roster>& rosters,
              QStringList* written = nullptr);

// The CSV of a roster (code page 932, CR LF).
QByteArray csvBytes(const GradeData::Grade& g, const Roster& r);

} // namespace Rosters
