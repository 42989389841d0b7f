#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct VOXA1;

// What the term-end window shows, as text: the thirteen lines of a pupil's score sheet, the ranked
// rows of the evaluation lists and the rows of the year-end list. Fixed-pitch text: every value is
// right-aligned by blanks in front.
namespace TermView {

// The text right-aligned in `width` characters (left as it is when longer).
QString right(const QString& text, int width);

// The thirteen lines of pupil p's score sheet for data subject k in term t, the viewpoint names
// taken from subject slot `subjectNo`.
QStringList sheetLines(const VOXA1& c, int p, int k, int t, int subjectNo);

// The pupils in ranking order (1-based pupil numbers) for keys of pupils 1..N: the descending
// exchange of the evaluation lists, which gives equal keys consecutive ranks in a fixed order.
QList<int> ranking(const QList<double>& keys);

// One row of the five evaluation lists.
struct EvaluationRow {
    QString number; // List1(0)
    QString name;   // List1(1)
    QString rate;   // List1(2)
    QString mark;   // List1(3)
    QString rank;   // List1(4)
};
EvaluationRow evaluationRow(int rank, int pupil, const QString& name, double key, const QString& mark);

// The three marks of a mode in button order: ◎ ○ △ for viewpoints, ３ ２ １ for ratings.
QStringList marks(bool viewpoints);
// How many of the given marks start with each of the three marks of the mode.
QList<int> counts(const QStringList& givenMarks, bool viewpoints);

// A row of the year-end result list: number, name and the year percentages of subjects 1..4.
QStringList yearRow(const VOXA1& c, int p);

} // namespace TermView
