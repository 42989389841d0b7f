#pragma once

#include <QList>
#include <QString>

struct VOXA1;
class PrintSurface;

// The printed class lists: the results list (成績一覧表) of one subject or viewpoint, ranked by
// score or listed by number with shared ranks, and the four-subject list (４教科一覧表). No
// windows here; the figure term is given, the class is only read.
namespace ListPage {

constexpr int kScoreOrder = 10;
constexpr int kNumberOrder = 20;

// One list in print order: pupil numbers, their ranks and scores.
struct Ranked {
    QList<int> number;
    QList<int> rank;
    QList<double> score;
};
// Scores of pupils 1..N; a score that is no number ranks as 0. Score order: the descending
// exchange (ties in the order it leaves them), the rank is the position. Number order: roster
// order, rank = 1 + the number of pupils with a strictly higher score.
Ranked rank(const QList<double>& scores, int order);

// A ticked item: a subject as a whole (viewpoint 0) or one viewpoint of it.
struct Item {
    int subject = 1;
    int viewpoint = 0;
    int order = kScoreOrder;
};

// The term word of the page heading: "１", "２", "３" or "要録".
QString termWord(int term);

// One results list page of the item, with the figures of term `figureTerm` (4 = year-end).
void resultsPage(PrintSurface& ps, const VOXA1& c, const Item& item, int figureTerm, bool yearEnd);
// The four-subject page.
void fourSubjectPage(PrintSurface& ps, const VOXA1& c, int figureTerm, bool yearEnd);

// The widest column the pages use.
constexpr int kPageColumns = 92;

} // namespace ListPage
