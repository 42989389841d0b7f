#include "termcalc/TermView.h"

#include "core/ExchangeSort.h"
#include "core/NumberFormat.h"
#include "core/ScoreCode.h"
#include "core/TextHelpers.h"
#include "core/VOXA1.h"

using namespace Qt::StringLiterals;

namespace TermView {

namespace {
// Cell widths of sheets 11..20 on the second half of the sheet.
constexpr int kLateWidths[10] = {4, 5, 4, 5, 4, 5, 5, 5, 5, 5};

int cellWidth(int sheet) {
    return sheet <= 10 ? 4 : kLateWidths[sheet - 11];
}

bool viewpointUnused(const QString& name) {
    return name.trimmed().isEmpty() || name.trimmed() == u"－－"_s;
}

// "###.#": one decimal, no leading zero.
QString rate(double x) {
    return NumberFormat::format(x, u"###.#"_s);
}
// A total below zero comes only from a damaged file and is shown blank.
QString totalPoints(qint16 x) {
    return x < 0 ? QString() : NumberFormat::format(x, u"###"_s);
}
} // namespace

QString right(const QString& text, int width) {
    return TextHelpers::RightJustify(text, width);
}

QStringList sheetLines(const VOXA1& c, int p, int k, int t, int subjectNo) {
    const PupilRec& pupil = c.Pupil(p);
    const auto& marks = pupil.SheetMarks(k, qBound(1, t, 3));
    auto points = [&](int v, int s) {
        return (t >= 1 && t <= 3 && !marks.isAbsent(s)) ? ScoreCode::points(marks.at(s + (v - 1) * 20)) : 0;
    };
    auto cell = [&](int v, int s) {
        if (c.AbsentTable(p, v, k, qBound(1, t, 4), s) == 10)
            return right(u"欠"_s, 3);
        return right(QString::number(points(v, s)), cellWidth(s));
    };
    auto total = [&](int s) { return points(1, s) + points(2, s) + points(3, s) + points(4, s); };

    QStringList lines;
    lines << u"学校名 "_s + c.CityName.str().left(3) + u"立"_s +
                 TextHelpers::OwnSchoolName(c.SchoolName.str()).left(3) + u"学校 "_s + c.ClassName.left(4) +
                 u" 番号 "_s + NumberFormat::withBlank(p) + u"  名前 "_s + pupil.PName.str();
    lines << u"観点　 1枚 2枚 3枚 4枚 5枚 6枚 7枚 8枚 9枚 10枚   平均  偏差"_s;
    // A viewpoint's cells of sheets first..first + 9 and what follows them; nothing for a viewpoint
    // the subject does not use.
    auto viewpointLine = [&](int v, int first, const QString& tail) {
        const QString name = c.ViewName(subjectNo, v);
        if (viewpointUnused(name))
            return QString();
        QString line = name.left(3);
        for (int s = first; s < first + 10; ++s)
            line += cell(v, s);
        return line + tail;
    };
    for (int v = 1; v <= 4; ++v)
        lines << viewpointLine(v, 1,
                               right(u"  "_s + rate(pupil.ViewRate(t, k, v)), 8) +
                                   right(u" "_s + rate(pupil.ViewDev(t, k, v)), 6));
    QString sums = u"合計 "_s;
    for (int s = 1; s <= 10; ++s)
        sums += right(QString::number(total(s)), 4);
    sums += right(u" "_s + rate(pupil.SubjRate(t, k)), 8) + right(u" "_s + rate(pupil.SubjDev(t, k)), 6);
    lines << sums;
    lines << u"     11枚 12枚 13枚 14枚 15枚 16枚 17枚 18枚 19枚 20枚  合計"_s;
    for (int v = 1; v <= 4; ++v)
        lines << viewpointLine(v, 11, right(u"  "_s + totalPoints(pupil.ViewScore(t, k, v)), 7));
    QString lateSums = u"合計 "_s;
    for (int s = 11; s <= 20; ++s)
        lateSums += right(QString::number(total(s)), cellWidth(s));
    lateSums += right(u" "_s + totalPoints(pupil.SubjScore(t, k)), 7);
    lines << lateSums;
    return lines;
}

QList<int> ranking(const QList<double>& keys) {
    QList<double> key = keys;
    QList<int> row;
    for (int i = 1; i <= keys.size(); ++i)
        row << i;
    exchangeSortDescending(
        static_cast<int>(keys.size()), [&](int i) { return key[i - 1]; },
        [&](int i, int j) {
            std::swap(key[i - 1], key[j - 1]);
            std::swap(row[i - 1], row[j - 1]);
        });
    return row;
}

EvaluationRow evaluationRow(int rank, int pupil, const QString& name, double key, const QString& mark) {
    EvaluationRow r;
    r.rank = right(QString::number(rank), 3);
    r.number = right(QString::number(pupil), 3);
    r.name = right(name.left(7), 12);
    r.rate = right(rate(key).left(5), 6);
    r.mark = right(mark.trimmed().isEmpty() ? u"－"_s : mark.left(2), 4);
    return r;
}

QStringList marks(bool viewpoints) {
    return viewpoints ? QStringList{u"◎"_s, u"○"_s, u"△"_s} : QStringList{u"３"_s, u"２"_s, u"１"_s};
}

QList<int> counts(const QStringList& givenMarks, bool viewpoints) {
    const QStringList m = marks(viewpoints);
    QList<int> n{0, 0, 0};
    for (const QString& given : givenMarks)
        for (int i = 0; i < 3; ++i)
            if (given.startsWith(m[i]))
                ++n[i];
    return n;
}

QStringList yearRow(const VOXA1& c, int p) {
    QStringList row;
    row << right(QString::number(p), 3) << right(c.Pupil(p).PName.str().left(7), 7);
    for (int k = 1; k <= 4; ++k)
        row << right(rate(c.Pupil(p).SubjRate(4, k)).left(5), 6);
    return row;
}

} // namespace TermView
