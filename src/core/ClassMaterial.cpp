#include "core/ClassMaterial.h"

#include "core/ExchangeSort.h"
#include "core/NumberFormat.h"
#include "core/PrintSurface.h"
#include "core/TextHelpers.h"
#include "core/VOXA1.h"
#include "platform/Cp932.h"

using namespace Qt::StringLiterals;

namespace ClassMaterial {

namespace {
// The subjects a set takes: "２教科" is 国語 and 算数 (with 理科 from grade 3), "４教科" 国語 and 生活
// below grade 3 and all four from grade 3.
QList<int> subjectsOf(int subjSet, int grade) {
    if (grade <= 2)
        return subjSet == 1 ? QList<int>{1, 2} : QList<int>{1, 3};
    return subjSet == 1 ? QList<int>{1, 3, 4} : QList<int>{1, 2, 3, 4};
}
double average(const PupilRec& p, const QList<int>& subjects, const QList<int>& terms) {
    double sum = 0;
    for (int t : terms)
        for (int s : subjects)
            sum += p.SubjRate(t, s);
    return sum / static_cast<double>(subjects.size() * terms.size());
}
int sexValue(const QString& sex) {
    return sex.trimmed().toInt();
}
} // namespace

double mean(const VOXA1& c, int pupil, int subjSet, int termSet) {
    const PupilRec& p = c.Pupil(pupil);
    const QList<int> subjects = subjectsOf(subjSet, c.Grade);
    switch (termSet) {
    case 2:
        // A pupil without a first-term 国語 score joined later: the second term alone.
        return p.SubjRate(1, 1) != 0 ? average(p, subjects, {1, 2}) : average(p, subjects, {2});
    case 3:
        return average(p, subjects, {2, 3});
    default:
        return average(p, subjects, {4});
    }
}

bool calculated(const VOXA1& c, int subjSet, int termSet) {
    // The year-end calculation is marked once for every subject.
    if (termSet != 2 && termSet != 3)
        return c.CalcMark(4, 1).trimmed() == u"O"_s;
    for (int t : termSet == 2 ? QList<int>{1, 2} : QList<int>{2, 3})
        for (int s : subjectsOf(subjSet, c.Grade))
            if (c.CalcMark(t, s).trimmed() != u"O"_s)
                return false;
    return true;
}

QList<Entry> ranking(const VOXA1& c, int subjSet, int termSet) {
    const int n = qBound(0, static_cast<int>(c.ClassSize), 42);
    QList<Entry> t;
    for (int p = 1; p <= n; ++p)
        t.append({p, c.Pupil(p).PName.str(), c.Pupil(p).Sex, mean(c, p, subjSet, termSet)});
    exchangeSortDescending(
        n, [&](int i) { return t[i - 1].mean; }, [&](int i, int j) { std::swap(t[i - 1], t[j - 1]); });
    return t;
}

bool isBoy(const QString& sex) {
    return sexValue(sex) == 1;
}

bool isGirl(const QString& sex) {
    return sexValue(sex) == 2;
}

QByteArray fileBytes(const QList<Entry>& ranked, bool boys) {
    QByteArray out;
    for (const Entry& e : ranked) {
        if (isBoy(e.sex) != boys)
            continue;
        QString name = TextHelpers::PadRight(e.name, 20);
        name.replace(u"\""_s, u"\"\""_s);
        out += '"' + Cp932::encode(name) + "\"\r\n";
        out += '"' + Cp932::encode(NumberFormat::format(e.mean, u"##0.0"_s)) + "\"\r\n";
    }
    return out;
}

QStringList unprinted(const QList<Entry>& ranked) {
    QStringList names;
    for (const Entry& e : ranked)
        if (!isBoy(e.sex) && !isGirl(e.sex))
            names << TextHelpers::TrimPadding(e.name);
    return names;
}

void printPages(PrintSurface& ps, const VOXA1& c, const QList<Entry>& ranked) {
    ps.setPageColumns(kPageColumns);
    const QString school = Cp932::leftColumns(TextHelpers::SchoolLine(c.CityName, c.SchoolName), 41 - 16);
    for (bool boys : {true, false}) {
        if (!ps.PageSetup())
            return;
        int rows = 0;
        for (const Entry& e : ranked)
            rows += boys ? isBoy(e.sex) : isGirl(e.sex);
        // A box round the table, a rule under the column headings, rules between the columns.
        ps.Box(0.5, 2, 56, 3 + rows);
        ps.Line(0.5, 3, 56, 3);
        for (double x : {14.0, 25.5, 44.0})
            ps.Line(x, 2, x, 3 + rows);
        ps.setCurrentX(0);
        ps.setCurrentY(0);
        ps.Print({{2, u"学級編成資料"_s},
                  {16, school},
                  {41, NumberFormat::withBlank(static_cast<int>(c.Grade))},
                  {44, u"年"_s},
                  {47, NumberFormat::withBlank(static_cast<int>(c.ClassNo))},
                  {50, u"組"_s},
                  {66, boys ? u"男　　子"_s : u"女　　子"_s}});
        ps.NewLine();
        ps.Print({{4, u"順  位"_s}, {16, u"出席番号"_s}, {27, u"名　前"_s}, {46, u"得　点"_s}});
        int counter = 0;
        for (const Entry& e : ranked) {
            if (boys ? !isBoy(e.sex) : !isGirl(e.sex))
                continue;
            ++counter;
            ps.Print({{2, NumberFormat::withBlank(counter)},
                      {6, u"位"_s},
                      {17, NumberFormat::withBlank(e.number)},
                      {21, u"番"_s},
                      {28, e.name.left(8)},
                      {46, NumberFormat::format(e.mean, u"###.#"_s)}});
        }
        ps.NewPage();
    }
}

} // namespace ClassMaterial
