#include "organise/OrganisePrint.h"

#include "core/ClassMaterial.h"
#include "core/NumberFormat.h"
#include "core/PrintSurface.h"
#include "organise/Rosters.h"
#include "platform/Cp932.h"

using namespace Qt::StringLiterals;

namespace OrganisePrint {

namespace {

void heading(PrintSurface& ps, const QString& title, const QString& school, const QString& right) {
    ps.setCurrentX(0);
    ps.setCurrentY(0);
    ps.Print({{2, title}, {40, Cp932::leftColumns(school, 30)}, {74, right}});
    ps.NewLine();
}

} // namespace

QString boundText(int low, int high) {
    return low == high ? QString::number(low) : QString::number(low) + u"～"_s + QString::number(high);
}

QString flagMarks(const OrganiseRules& r, const QString& id) {
    QString out;
    for (const QString& f : r.flags.value(id))
        out += f.left(1);
    return out;
}

QString sexWord(const QString& sex) {
    return ClassMaterial::isBoy(sex) ? u"男"_s : ClassMaterial::isGirl(sex) ? u"女"_s : u"？"_s;
}

QString meanText(const std::optional<double>& m) {
    return m ? NumberFormat::format(*m, u"##0.0"_s) : u"－"_s;
}

QString spreadText(double spread) {
    return QString::number(spread, 'f', 2);
}

void staffPages(PrintSurface& ps, const OrganiseSession& s, const QString& school) {
    ps.setPageColumns(kPageColumns);
    const GradeData::Grade& g = s.grade();
    const QList<QList<int>> members = s.members();
    for (int k = 0; k < members.size(); ++k) {
        if (!ps.PageSetup())
            return;
        const Organiser::ClassFigures& f = s.figures().classes.value(k);
        const int rows = int(members[k].size());
        // The rules first: drawing moves the position, and the heading puts it back at the top.
        ps.Box(0.5, 2, 56, 3 + rows);
        ps.Line(0.5, 3, 56, 3);
        ps.Box(58.5, 2, 92, 3 + 2 + f.counts.size());
        ps.Line(58.5, 3, 92, 3);
        heading(ps, u"次年度学級編成　職員会議資料"_s, school, GradeData::newClassName(g.grade, k));
        ps.Print({{2, u"番"_s},
                  {6, u"名　前"_s},
                  {27, u"性"_s},
                  {31, u"旧学級"_s},
                  {40, u"平均"_s},
                  {47, u"帯"_s},
                  {51, u"印"_s},
                  {60, u"項　目"_s},
                  {76, u"数"_s},
                  {81, u"目安"_s}});
        for (int r = 0; r < rows; ++r) {
            const GradeData::Pupil& x = g.pupils[members[k][r]];
            ps.Print({{2, NumberFormat::withBlank(r + 1)},
                      {6, Cp932::leftColumns(x.name, 20)},
                      {27, sexWord(x.sex)},
                      {31, x.id},
                      {40, meanText(x.mean)},
                      {48, QString::number(x.band)},
                      {51, flagMarks(s.rules(), x.id)}});
        }
        // The figures beside the list, from its top down.
        ps.setCurrentY(3);
        auto figure = [&](const QString& what, const QString& count, const QString& bound, bool met) {
            ps.Print(
                {{60, Cp932::leftColumns(what, 14)}, {75, count}, {81, bound}, {90, met ? u"○"_s : u"×"_s}});
        };
        figure(u"人数"_s, QString::number(f.pupils), boundText(f.sizeLow, f.sizeHigh),
               f.pupils >= f.sizeLow && f.pupils <= f.sizeHigh && f.pupils <= s.cap());
        ps.Print({{60, u"平均"_s},
                  {75, meanText(f.mean)},
                  {81, u"差"_s + OrganisePrint::spreadText(s.figures().spread)}});
        for (const Organiser::Count& c : f.counts)
            figure(c.what, QString::number(c.count), boundText(c.low, c.high), c.met());
        ps.NewPage();
    }
}

void byOldClassPages(PrintSurface& ps, const OrganiseSession& s, const QString& school) {
    ps.setPageColumns(kPageColumns);
    const GradeData::Grade& g = s.grade();
    for (int o = 0; o < g.classes.size(); ++o) {
        QList<int> pupils;
        for (int i = 0; i < g.pupils.size(); ++i)
            if (g.pupils[i].oldClass == o)
                pupils.append(i);
        if (pupils.isEmpty())
            continue;
        if (!ps.PageSetup())
            return;
        ps.Box(0.5, 2, 60, 3 + pupils.size());
        ps.Line(0.5, 3, 60, 3);
        heading(ps, u"次年度学級編成　旧学級別"_s, school,
                g.classes[o].file + u"　"_s + g.classes[o].teacher);
        ps.Print({{2, u"番"_s},
                  {6, u"名　前"_s},
                  {27, u"性"_s},
                  {31, u"平均"_s},
                  {38, u"帯"_s},
                  {42, u"新しい学級"_s}});
        for (int i : pupils) {
            const GradeData::Pupil& x = g.pupils[i];
            ps.Print({{2, NumberFormat::withBlank(x.number)},
                      {6, Cp932::leftColumns(x.name, 20)},
                      {27, sexWord(x.sex)},
                      {31, meanText(x.mean)},
                      {39, QString::number(x.band)},
                      {42, GradeData::newClassName(g.grade, s.assignment().value(i))}});
        }
        ps.NewPage();
    }
}

void postingPages(PrintSurface& ps, const OrganiseSession& s, const QString& school) {
    ps.setPageColumns(kPageColumns);
    const GradeData::Grade& g = s.grade();
    const QList<Rosters::Roster> rosters =
        Rosters::plan(g, s.rules(), s.assignment(), s.classes(), Rosters::Order::Together);
    for (int k = 0; k < rosters.size(); ++k) {
        if (!ps.PageSetup())
            return;
        const int rows = int(rosters[k].pupils.size());
        ps.Box(0.5, 2, 40, 2 + rows);
        heading(ps, GradeData::newClassName(g.grade, k), school, QString());
        for (int r = 0; r < rows; ++r)
            ps.Print({{3, NumberFormat::withBlank(r + 1)},
                      {8, Cp932::leftColumns(g.pupils[rosters[k].pupils[r]].name, 30)}});
        ps.NewPage();
    }
}

} // namespace OrganisePrint
