#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

struct VOXA1;
class PrintSurface;

// The class organisation material (学級編成資料): one mean per pupil over a set of subjects and
// terms, the class sorted by it, the boys' and girls' data files and the two printed pages. No
// windows here.
namespace ClassMaterial {

// Subject sets: 1 "２教科", 2 "４教科". Term ranges: 1 the year-end, 2 terms 1 and 2, 3 terms 2 and 3.
double mean(const VOXA1& c, int pupil, int subjSet, int termSet);

// Whether the class's results are calculated for every subject and term the mean takes.
bool calculated(const VOXA1& c, int subjSet, int termSet);

struct Entry {
    int number = 0;
    QString name; // the stored 20 characters
    QString sex;
    double mean = 0;
    bool operator==(const Entry&) const = default;
};
// Pupils 1..ClassSize with their means, sorted by the all-pairs exchange (descending, ties in the
// order that exact exchange leaves them).
QList<Entry> ranking(const VOXA1& c, int subjSet, int termSet);

bool isBoy(const QString& sex);
bool isGirl(const QString& sex);

// The bytes of the boys' file (sex "1") or of everybody else's: per pupil a quoted name padded to
// 20 characters (a double quote inside doubled) and the quoted mean "##0.0", each line ended by
// CR LF, in code page 932.
QByteArray fileBytes(const QList<Entry>& ranked, bool boys);

// The names of pupils printed on neither page (sex neither 1 nor 2).
QStringList unprinted(const QList<Entry>& ranked);

// The boys' page and the girls' page.
void printPages(PrintSurface& ps, const VOXA1& c, const QList<Entry>& ranked);

constexpr int kPageColumns = 92;

} // namespace ClassMaterial
