#pragma once

#include "organise/OrganiseRules.h"
#include "organise/Organiser.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Every class of a grade read from the data folder for next year's classes, each as its last
// complete save (another program may have it open: it is never locked, never written), with each
// pupil's mean of the class organisation material and band within the old class.
namespace GradeData {

struct OldClass {
    QString file; // "5-1"
    QString teacher;
    QString school, city; // carried over to next year's classes
    int boys = 0, girls = 0, unset = 0;
    QDateTime saved; // when its pupil file was last written
    bool calculated = false;
    QString problem; // why it was left out (empty: read)
    QString notice;  // what the teacher should know of how it was read
};

struct Pupil {
    QString id;       // "5-1:3"
    QString name;     // trimmed
    QString sex;      // as stored: "1" 男, "2" 女, anything else not set
    int oldClass = 0; // index into Grade::classes
    int number = 0;   // attendance number in the old class
    std::optional<double> mean;
    int band = 3;
};

struct Grade {
    int grade = 0;
    int subjSet = 2, termSet = 1;
    QList<OldClass> classes; // the ones read come first in pupils' oldClass indices
    QList<Pupil> pupils;
};

// Classes G-1 … G-9 of the folder (drive-letter form) that exist. Subject set 1 ２教科, 2 ４教科;
// term range 1 the year, 2 terms 1 and 2, 3 terms 2 and 3.
Grade read(const QString& folder, int grade, int subjSet, int termSet);

// Band 1..5 of rank r (1-based) of n: the top fifth is 1.
int bandOf(int rank, int n);

// The problem for the organiser: the pupils read, the rules with their ids turned into pupils,
// and K classes. `unknown` receives every id in the rules that names no pupil read (those rules are
// left out, and the caller says so).
Organiser::Problem problem(const Grade& g, const OrganiseRules& rules, int classes, int cap,
                           QStringList* unknown = nullptr);
// "5-1:3 山田 太郎" for messages.
QStringList labels(const Grade& g);

// The name of new class k (0-based) of the grade's next year: "6年1組", or "新1組" for a grade with no
// next year here.
QString newClassName(int grade, int k);

// The suggested number of classes for n pupils at the cap.
inline int suggestedClasses(int n, int cap) {
    return n <= 0 || cap <= 0 ? 1 : (n + cap - 1) / cap;
}

} // namespace GradeData
