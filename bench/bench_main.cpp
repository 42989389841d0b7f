// Timings of the work a teacher waits for: loading and saving a full class, one pass over every
// score string as the term-end calculation makes, and printing 42 report-sized pages to PDF.
// Prints the median of several runs of each.

#include "Median.h"
#include "TestSupport.h"
#include "core/ClassFiles.h"
#include "core/NumberFormat.h"
#include "core/PrintSurface.h"
#include "core/ScoreCode.h"
#include "core/VOXA1.h"
#include "lists/ListPage.h"
#include "platform/PainterBackend.h"
#include "report/ReportPage.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// 42 pupils, 20 sheets of every subject and term with an allocation, every score and result set.
void fillClass(VOXA1& c) {
    c.ClassName = u"5年1組"_s;
    c.SchoolName = u"みなと小学校"_s;
    c.CityName = u"横浜市中区"_s;
    c.TeacherName = u"山本　恵子"_s;
    c.CurTerm = 3;
    c.ClassSize = 42;
    for (int s = 1; s <= 5; ++s)
        for (int v = 1; v <= 4; ++v)
            c.ViewName(s, v) = u"観点%1"_s.arg(v);
    for (int k = 1; k <= 4; ++k)
        for (int t = 1; t <= 3; ++t)
            for (int i = 1; i <= 80; ++i)
                c.SheetSetup(k, t).set(i, ScoreCode::encodeAllocation(25));
    for (int p = 1; p <= 42; ++p) {
        c.RecNo(p) = QString::number(p);
        PupilRec& r = c.Pupil(p);
        r.Sex = p % 2 ? u"1"_s : u"2"_s;
        r.PName = u"生徒　名前%1"_s.arg(p);
        for (int k = 1; k <= 4; ++k)
            for (int t = 1; t <= 3; ++t)
                for (int i = 1; i <= 80; ++i)
                    r.SheetMarks(k, t).set(i, (p + i) % 23 == 0 ? ScoreCode::kAbsent
                                                                : ScoreCode::encode((p * i) % 26));
        for (int t = 1; t <= 4; ++t)
            for (int k = 1; k <= 4; ++k) {
                r.SubjScore(t, k) = static_cast<qint16>(300 + p);
                r.SubjRate(t, k) = 70.5 + p * 0.1;
                r.SubjDev(t, k) = 50.25;
                r.SubjMark(t, k) = u"２"_s;
                for (int v = 1; v <= 4; ++v) {
                    r.ViewScore(t, k, v) = static_cast<qint16>(80 + v);
                    r.ViewRate(t, k, v) = 66.6 + v;
                    r.ViewDev(t, k, v) = 48.5 + v;
                    r.ViewMark(t, k, v) = u"○"_s;
                }
            }
    }
}

// What the term-end calculation reads: every score of every sheet for every pupil.
long long sumAllScores(const VOXA1& c) {
    long long sum = 0;
    for (int p = 1; p <= c.ClassSize; ++p)
        for (int k = 1; k <= 4; ++k)
            for (int t = 1; t <= 3; ++t) {
                const ScoreBytes<100>& m = c.Pupil(p).SheetMarks(k, t);
                for (int sheet = 1; sheet <= 20; ++sheet) {
                    if (m.isAbsent(sheet))
                        continue;
                    for (int v = 1; v <= 4; ++v)
                        sum += m.value((v - 1) * 20 + sheet);
                }
            }
    return sum;
}

void printPages(const VOXA1& c, const QString& pdf) {
    PrintSurface ps(std::make_unique<PainterBackend>(pdf));
    for (int p = 1; p <= c.ClassSize; ++p) {
        ps.PageSetup();
        ps.Print({{4, u"個人票"_s},
                  {14, u"横浜市立みなと小学校"_s},
                  {58, NumberFormat::withBlank(p) + u"番"_s},
                  {68, u"名前"_s},
                  {74, c.Pupil(p).PName.str().left(7)}});
        ps.Box(1, 2, 92, 40);
        for (int t = 1; t <= 4; ++t) {
            ps.Print({{2, u"１学期"_s}});
            QList<PrintSurface::Tab> row;
            for (int k = 1; k <= 4; ++k)
                for (int v = 1; v <= 4; ++v)
                    row.append({3 + (k - 1) * 24 + (v - 1) * 6,
                                NumberFormat::format(c.Pupil(p).ViewRate(t, k, v), u"###"_s)});
            ps.Print(row);
            ps.Print({{2, u"平均"_s}, {9, NumberFormat::format(c.Pupil(p).SubjRate(t, 1), u"###"_s)}});
        }
        if (p < c.ClassSize)
            ps.NewPage();
    }
    ps.EndDoc();
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    TestSupport::useTestDoubles();
    TestSupport::TempHome home;

    VOXA1 c;
    c.ClassPath = u"C:\\5-1"_s;
    fillClass(c);
    if (!c.SaveClass())
        return 1;

    const double save = medianMs(21, [&] { c.SaveClass(); });
    const double load = medianMs(51, [&] {
        VOXA1 l;
        l.ClassPath = c.ClassPath;
        l.LoadClass();
    });
    // As the grade book loads and saves the class it has open: under the lock it holds.
    c.Lock = c.LockFor(c.ClassPath);
    const double saveHeld = medianMs(21, [&] { c.SaveClass(); });
    const double loadHeld = medianMs(51, [&] {
        VOXA1 l;
        l.ClassPath = c.ClassPath;
        l.Lock = c.Lock;
        l.LoadClass();
    });
    c.Lock.reset();
    long long sink = 0;
    const double pass = medianMs(51, [&] { sink += sumAllScores(c); });
    QTemporaryDir dir;
    const double pages = medianMs(5, [&] { printPages(c, dir.filePath(u"class.pdf"_s)); });
    // 全員 of the individual report: the real page of every pupil of a class of 42.
    c.ClassName = u"5年1組"_s;
    c.SplitClassName();
    const double reports = medianMs(5, [&] {
        PrintSurface ps(std::make_unique<PainterBackend>(dir.filePath(u"kojin.pdf"_s)));
        ReportPage::printPages(ps, c, 1, 42);
        ps.EndDoc();
    });

    // `voxa_bench DIR`: the report and list pages of the sample class are kept in DIR as PDFs, to
    // be rendered and looked at.
    if (argc > 1) {
        const QString keep = QString::fromLocal8Bit(argv[1]);
        c.CityName = u"横浜市"_s;
        c.SchoolName = u"横浜市立桜ヶ丘小学校"_s;
        for (int s = 1; s <= 4; ++s)
            for (const auto& [v, name] :
                 {std::pair{1, u"知技"_s}, {2, u"思判表"_s}, {3, u"主体"_s}, {4, u"技能"_s}})
                c.ViewName(s, v) = name;
        {
            PrintSurface ps(std::make_unique<PainterBackend>(keep + u"/kojin.pdf"_s));
            ReportPage::printPages(ps, c, 1, 2);
            ps.EndDoc();
        }
        PrintSurface ps(std::make_unique<PainterBackend>(keep + u"/lists.pdf"_s));
        ListPage::resultsPage(ps, c, {1, 0, 1}, 1, false);
        ListPage::resultsPage(ps, c, {4, 4, 2}, 1, false);
        ListPage::fourSubjectPage(ps, c, 1, false);
        ps.EndDoc();
    }

    std::printf("load class (42 pupils, 3 files)       %8.3f ms\n", load);
    std::printf("save class (atomic, 3 files)          %8.3f ms\n", save);
    std::printf("load class, lock held by the program   %8.3f ms\n", loadHeld);
    std::printf("save class, lock held by the program   %8.3f ms\n", saveHeld);
    std::printf("  (folder: %s)\n", qPrintable(home.path()));
    std::printf("pass over all SheetMarks              %8.3f ms  (%lld)\n", pass, sink % 1000);
    std::printf("42 report pages to PDF                %8.1f ms\n", pages);
    std::printf("individual reports, 全員 42 to PDF    %8.1f ms\n", reports);
    return 0;
}
