#include "report/ReportPage.h"

#include "core/NumberFormat.h"
#include "core/PrintSurface.h"
#include "core/TextHelpers.h"
#include "core/VOXA1.h"
#include "platform/Cp932.h"

using namespace Qt::StringLiterals;

namespace ReportPage {

namespace {
// The four column groups of the page: heading, viewpoint name and value columns, the columns of
// "平均" value "偏差" value, and of "評定" rating.
struct Group {
    int heading;
    int names[4];
    int values[4];
    int average[4];
    int rating[2];
};
constexpr Group kGroups[4] = {
    {10, {2, 8, 14, 20}, {3, 9, 15, 21}, {2, 9, 14, 21}, {4, 18}},
    {32, {26, 32, 38, 43}, {27, 33, 39, 44}, {26, 33, 38, 44}, {28, 42}},
    {56, {48, 54, 60, 66}, {49, 55, 61, 67}, {48, 55, 60, 67}, {50, 64}},
    {80, {72, 78, 84, 90}, {73, 79, 85, 90}, {72, 79, 84, 90}, {74, 88}},
};
// Rows of the page: heading 0, subject headings 2, viewpoint names 3, then a block of six lines
// per term from row 5 (title, scores, marks, averages, ratings, space).
constexpr int kFirstBlock = 5;
constexpr int kBlockRows = 6;

QString whole(double x, const QString& pattern) {
    return NumberFormat::format(x, pattern);
}

} // namespace

int ShowTerms(const VOXA1& c) {
    if (c.CurTerm == 3 && c.CalcMark(4, 1) == u"O"_s)
        return 4;
    return qBound(1, static_cast<int>(c.CurTerm), 4);
}

QString headingSchoolLine(const VOXA1& c) {
    return Cp932::leftColumns(TextHelpers::SchoolLine(c.CityName, c.SchoolName), 41 - 14);
}

QString windowSchoolLine(const VOXA1& c) {
    const QString school = TextHelpers::OwnSchoolName(c.SchoolName.str());
    QString schoolPart = TextHelpers::CutAfter(school, u"小"_s, u"小"_s);
    if (schoolPart.isEmpty())
        schoolPart = school.left(1);
    return TextHelpers::CutAfter(c.CityName.str(), u"市"_s, u"町"_s) + u"立"_s + schoolPart + u"学校"_s;
}

void printPages(PrintSurface& ps, const VOXA1& c, int first, int last) {
    ps.setPageColumns(kPageColumns);
    const int terms = ShowTerms(c);
    for (int p = first; p <= last; ++p)
        kojin_page(ps, c, p, terms);
}

void kojin_page(PrintSurface& ps, const VOXA1& c, int p, int showTerms) {
    if (!ps.PageSetup())
        return;
    const int groups = c.Grade >= 3 ? 4 : 3;
    const PupilRec& pupil = c.Pupil(p);

    // The frame first: a box round each term block, with rules between the groups.
    const double right = groups == 4 ? kPageColumns - 0.5 : kGroups[3].names[0] - 1.5;
    for (int t = 1; t <= showTerms; ++t) {
        // Half a line above the block's title and half a line below its ratings (in its empty
        // last line), so no text touches the box.
        const double top = kFirstBlock + (t - 1) * kBlockRows - 0.5;
        const double bottom = top + kBlockRows;
        ps.Box(0.5, top, right, bottom);
        for (int g = 1; g < groups; ++g) {
            const double x = kGroups[g].names[0] - 1.5;
            ps.Line(x, top + 1, x, bottom);
        }
    }
    ps.setCurrentX(0);
    ps.setCurrentY(0);

    ps.Print({{4, u"個人票"_s},
              {14, headingSchoolLine(c)},
              {41, NumberFormat::withBlank(static_cast<int>(c.Grade))},
              {44, u"年"_s},
              {47, NumberFormat::withBlank(static_cast<int>(c.ClassNo))},
              {50, u"組"_s},
              {58, NumberFormat::withBlank(p) + u"番"_s},
              {68, u"名前"_s},
              {74, pupil.PName.str().left(7)}});
    ps.NewLine();
    const QStringList headings = c.Grade >= 3
                                     ? QStringList{u"国　語"_s, u"社　会"_s, u"算　数"_s, u"理　科"_s}
                                     : QStringList{u"国　語"_s, u"算　数"_s, u"生　活"_s};
    QList<PrintSurface::Tab> line;
    for (int g = 0; g < groups; ++g)
        line.append({kGroups[g].heading, headings[g]});
    ps.Print(line);
    line.clear();
    for (int g = 0; g < groups; ++g)
        for (int v = 1; v <= 4; ++v)
            line.append(
                {kGroups[g].names[v - 1], c.ViewName(VOXA1::ViewNameSlot(g + 1, c.Grade), v).str().left(2)});
    ps.Print(line);
    ps.NewLine();

    const QStringList titles = {u"１学期"_s, u"２学期"_s, u"３学期"_s, u"要　録"_s};
    for (int t = 1; t <= showTerms; ++t) {
        ps.Print({{2, titles.value(t - 1)}});
        QList<PrintSurface::Tab> scores, marks, averages, ratings;
        for (int g = 0; g < groups; ++g) {
            const int s = g + 1;
            const Group& col = kGroups[g];
            for (int v = 1; v <= 4; ++v) {
                scores.append({col.values[v - 1], whole(pupil.ViewRate(t, s, v), u"###"_s)});
                marks.append({col.values[v - 1], pupil.ViewMark(t, s, v).str().left(1).trimmed()});
            }
            averages.append({col.average[0], u"平均"_s});
            averages.append({col.average[1], whole(pupil.SubjRate(t, s), u"###"_s)});
            averages.append({col.average[2], u"偏差"_s});
            averages.append({col.average[3], whole(pupil.SubjDev(t, s), u"##"_s)});
            ratings.append({col.rating[0], u"評定"_s});
            ratings.append({col.rating[1], pupil.SubjMark(t, s).str().left(1).trimmed()});
        }
        ps.Print(scores);
        ps.Print(marks);
        ps.Print(averages);
        ps.Print(ratings);
        ps.NewLine();
    }
    ps.NewPage();
}

} // namespace ReportPage
