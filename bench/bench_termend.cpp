// Timings of the term-end processing: the term calculation of one subject for 42 pupils and 20
// sheets, the year-end of all subjects, and through the window the filling of the evaluation
// lists and one mark click. Prints the median of many runs of each.

#include "Median.h"
#include "WindowDriver.h"
#include "core/ScoreCode.h"
#include "platform/MsgBox.h"
#include "termcalc/TermCalc.h"
#include "termend/vxHyo.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {
// 42 pupils with 20 sheets in every subject and term, a few absences, varied scores.
void fillClass(VOXA1& c) {
    c.ClassName = u"5年1組"_s;
    c.SplitClassName();
    c.CurTerm = 1;
    c.ClassSize = 42;
    for (int v = 1; v <= 4; ++v)
        c.ViewName(1, v) = u"観点%1"_s.arg(v);
    for (int k = 1; k <= 4; ++k)
        for (int t = 1; t <= 3; ++t) {
            c.CalcMark(t, k) = u"O"_s;
            for (int i = 1; i <= 80; ++i)
                c.SheetSetup(k, t).set(i, ScoreCode::encodeAllocation(25));
        }
    for (int p = 1; p <= 42; ++p) {
        c.RecNo(p) = QString::number(p);
        c.Pupil(p).PName = u"生徒　名前%1"_s.arg(p);
        for (int k = 1; k <= 4; ++k)
            for (int t = 1; t <= 3; ++t)
                for (int i = 1; i <= 80; ++i) {
                    const bool absent = (p + k + t) % 17 == 0 && (i - 1) % 20 == 3;
                    c.Pupil(p).SheetMarks(k, t).set(i, absent ? ScoreCode::kAbsent
                                                              : ScoreCode::encode((p * 7 + i * 3 + k) % 26));
                }
    }
}
} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    VOXA1 c;
    fillClass(c);
    const double term = medianMs(201, [&] { TermCalc::calculateTerm(c, 1, 1); });
    for (int k = 1; k <= 4; ++k)
        for (int t = 1; t <= 3; ++t)
            TermCalc::calculateTerm(c, k, t);
    const double year = medianMs(201, [&] {
        for (int k = 1; k <= 4; ++k)
            TermCalc::calculateYear(c, k);
    });

    // Through the window: 観点別, 国語, viewpoint 1, execute; then ◎ and a click in the name list.
    WindowDriver d;
    d.writeClass(u"5-1"_s, 1);
    d.start();
    VOXA1& w = d.c();
    fillClass(w);
    w.ClassPath = u"C:\\voxadata\\5-1"_s;
    w.MakeCurrent(VOXA1::Became::Loaded);
    TermCalc::calculateTerm(w, 1, 1);
    d.forms().hide(u"vxMain"_s);
    d.forms().show(u"vxMain"_s);
    d.trigger(u"vxMain"_s, u"mnuHyo"_s);
    auto* hyo = d.forms().get<vxHyo>(u"vxHyo"_s);
    if (!hyo)
        return 1;
    const double lists = medianMs(51, [&] {
        hyo->Command3D2_Click(0);
        hyo->Command3D1_Click(1);
        hyo->Command3D6_Click(0);
        hyo->Command3D7_Click(0);
        hyo->Command3D5_Click();
        hyo->Command3D13_Click(0);
        hyo->List1_Click(1);
        hyo->Command3D14_Click();
    });
    std::printf("term calculation, one subject (42 x 20)  %8.4f ms\n", term);
    std::printf("year-end, all four subjects              %8.4f ms\n", year);
    std::printf("evaluation lists filled, one mark click  %8.3f ms\n", lists);
    return 0;
}
