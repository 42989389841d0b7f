#include "lists/ListPage.h"

#include "core/ExchangeSort.h"
#include "core/NumberFormat.h"
#include "core/PrintSurface.h"
#include "core/TextHelpers.h"
#include "core/VOXA1.h"
#include "platform/Cp932.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace ListPage {

namespace {
QString subjectName(int s, int grade) {
    if (grade >= 3)
        return QStringList{u"国語"_s, u"社会"_s, u"算数"_s, u"理科"_s}.value(s - 1);
    return QStringList{u"国語"_s, u"算数"_s, u"生活"_s}.value(s - 1);
}
QString sexOf(const QString& sex) {
    return sex == u"1"_s ? u"男"_s : sex == u"2"_s ? u"女"_s : QString();
}
QString rate(double x) {
    return NumberFormat::format(x, u"###.#"_s);
}
// The heading's school line, cut so that the grade at Tab(41) stays on the line.
QString schoolLine(const VOXA1& c) {
    return Cp932::leftColumns(TextHelpers::SchoolLine(c.CityName, c.SchoolName), 41 - 16);
}
QList<PrintSurface::Tab> classHeading(const VOXA1& c, const QString& title) {
    return {{2, title},
            {16, schoolLine(c)},
            {41, NumberFormat::withBlank(static_cast<int>(c.Grade))},
            {44, u"年"_s},
            {47, NumberFormat::withBlank(static_cast<int>(c.ClassNo))},
            {50, u"組"_s}};
}
void termHeading(QList<PrintSurface::Tab>& line, const QString& word, bool yearEnd) {
    if (yearEnd) {
        line.append({75, u"年度末"_s});
    } else {
        line.append({75, word});
        line.append({78, u"学期"_s});
    }
}
void rules(PrintSurface& ps, double top, double headingBottom, double bottom, const QList<double>& columns) {
    ps.Box(0.5, top, kPageColumns, bottom);
    ps.Line(0.5, headingBottom, kPageColumns, headingBottom);
    for (double x : columns)
        ps.Line(x, top, x, bottom);
    ps.setCurrentX(0);
    ps.setCurrentY(0);
}
} // namespace

Ranked rank(const QList<double>& scores, int order) {
    const qsizetype n = scores.size();
    Ranked r;
    for (qsizetype k = 0; k < n; ++k) {
        r.number.append(static_cast<int>(k + 1));
        r.rank.append(1);
        r.score.append(std::isfinite(scores[k]) ? scores[k] : 0.0);
    }
    if (order == kNumberOrder) {
        for (qsizetype i = 0; i < n; ++i)
            for (qsizetype j = 0; j < n; ++j)
                if (r.score[i] < r.score[j])
                    ++r.rank[i];
        return r;
    }
    exchangeSortDescending(
        static_cast<int>(n), [&](int i) { return r.score[i - 1]; },
        [&](int i, int j) {
            std::swap(r.score[i - 1], r.score[j - 1]);
            std::swap(r.number[i - 1], r.number[j - 1]);
        });
    for (qsizetype k = 0; k < n; ++k)
        r.rank[k] = static_cast<int>(k + 1);
    return r;
}

QString termWord(int term) {
    return QStringList{u"１"_s, u"２"_s, u"３"_s, u"要録"_s}.value(term - 1);
}

void resultsPage(PrintSurface& ps, const VOXA1& c, const Item& item, int figureTerm, bool yearEnd) {
    ps.setPageColumns(kPageColumns);
    if (!ps.PageSetup())
        return;
    const int n = qBound(0, static_cast<int>(c.ClassSize), 42);
    const int s = item.subject;
    const int v = item.viewpoint;
    auto score = [&](int p) {
        return v == 0 ? c.Pupil(p).SubjRate(figureTerm, s) : c.Pupil(p).ViewRate(figureTerm, s, v);
    };
    auto deviation = [&](int p) {
        return v == 0 ? c.Pupil(p).SubjDev(figureTerm, s) : c.Pupil(p).ViewDev(figureTerm, s, v);
    };
    auto mark = [&](int p) {
        return (v == 0 ? c.Pupil(p).SubjMark(figureTerm, s).str()
                       : c.Pupil(p).ViewMark(figureTerm, s, v).str())
            .left(1)
            .trimmed();
    };
    rules(ps, 2, 3, 3 + n, {14, 25.5, 33.5, 57, 70.5, 83.5});

    QList<PrintSurface::Tab> heading = classHeading(c, u"成績一覧表"_s);
    heading.append({58, subjectName(s, c.Grade)});
    if (v != 0) {
        // The viewpoint name without its padding, cut so that the term stays on the line.
        const QString name = TextHelpers::TrimPadding(c.ViewName(VOXA1::ViewNameSlot(s, c.Grade), v));
        heading.append({64, Cp932::leftColumns(name, 75 - 64)});
    }
    termHeading(heading, termWord(figureTerm), yearEnd);
    ps.Print(heading);
    ps.NewLine();
    QList<PrintSurface::Tab> columns;
    if (item.order == kNumberOrder)
        columns = {{3, u"出席番号"_s}, {17, u"順　位"_s}};
    else
        columns = {{4, u"順  位"_s}, {16, u"出席番号"_s}};
    columns.append(
        {{27, u"性別"_s}, {40, u"名　　　前"_s}, {59, u"平　均"_s}, {72, u"偏差値"_s}, {85, u"評  定"_s}});
    ps.Print(columns);

    QList<double> scores;
    for (int p = 1; p <= n; ++p)
        scores.append(score(p));
    const Ranked r = rank(scores, item.order);
    for (int q = 0; q < n; ++q) {
        const int p = r.number[q];
        QList<PrintSurface::Tab> line;
        if (item.order == kNumberOrder)
            line = {{2, NumberFormat::withBlank(p)},
                    {6, u"番"_s},
                    {17, NumberFormat::withBlank(r.rank[q])},
                    {21, u"位"_s}};
        else
            line = {{2, NumberFormat::withBlank(r.rank[q])},
                    {6, u"位"_s},
                    {17, NumberFormat::withBlank(p)},
                    {21, u"番"_s}};
        line.append({{28, sexOf(c.Pupil(p).Sex)},
                     {36, c.Pupil(p).PName.str().left(8)},
                     {60, rate(score(p))},
                     {74, rate(deviation(p))},
                     {87, mark(p)}});
        ps.Print(line);
    }
    ps.NewPage();
}

void fourSubjectPage(PrintSurface& ps, const VOXA1& c, int figureTerm, bool yearEnd) {
    ps.setPageColumns(kPageColumns);
    if (!ps.PageSetup())
        return;
    const int n = qBound(0, static_cast<int>(c.ClassSize), 42);
    const int subjects = c.Grade >= 3 ? 4 : 3;
    const int at[4] = {49, 61, 73, 84};
    rules(ps, 2, 4, 4 + n, {14.5, 23, 45.5, 57.5, 69.5, 81.5});

    QList<PrintSurface::Tab> heading = classHeading(c, u"４教科一覧表"_s);
    termHeading(heading, NumberFormat::withBlank(static_cast<int>(c.CurTerm)), yearEnd);
    ps.Print(heading);
    ps.NewLine();
    // Class averages; an empty class has none.
    QList<PrintSurface::Tab> averages = {{25, u"平均"_s}};
    for (int s = 1; s <= subjects; ++s) {
        // A figure that is not a number counts as 0 here, as it does in the rankings.
        double sum = 0;
        for (int p = 1; p <= n; ++p) {
            const double x = c.Pupil(p).SubjRate(figureTerm, s);
            sum += std::isfinite(x) ? x : 0.0;
        }
        averages.append({at[s - 1], n > 0 ? rate(sum / n) : QString()});
    }
    ps.Print(averages);
    QList<PrintSurface::Tab> columns = {{3, u"出席番号"_s}, {17, u"性別"_s}, {25, u"名　　　前"_s}};
    for (int s = 1; s <= subjects; ++s)
        columns.append({at[s - 1], subjectName(s, c.Grade)});
    ps.Print(columns);
    for (int p = 1; p <= n; ++p) {
        QList<PrintSurface::Tab> line = {{2, NumberFormat::withBlank(p)},
                                         {6, u"番"_s},
                                         {17, sexOf(c.Pupil(p).Sex)},
                                         {25, c.Pupil(p).PName.str().left(8)}};
        for (int s = 1; s <= subjects; ++s) {
            line.append({12 * s + 35, rate(c.Pupil(p).SubjRate(figureTerm, s))});
            line.append({12 * s + 42, c.Pupil(p).SubjMark(figureTerm, s).str()});
        }
        ps.Print(line);
    }
    ps.NewPage();
}

} // namespace ListPage
