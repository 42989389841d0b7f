// Next year's classes. On generated problems of 6 classes of 40 with 20 pairs apart, 10 groups
// together and 5 pupils fixed: the time of a proposal, of the figures after a move, and what the
// proposal reaches. On a grade of 6 classes of 40 written as files: reading it, the three printouts
// to PDF, and what the window adds to the program's memory with the grade open.
//   voxa_bench_organise [GRADES] [DIR]   DIR keeps the printouts as PDFs, to be looked at
#include "GradeMaker.h"
#include "Median.h"
#include "WindowDriver.h"
#include "core/PrintSurface.h"
#include "organise/OrganisePrint.h"
#include "organise/OrganiseSession.h"
#include "platform/MsgBox.h"
#include "platform/PainterBackend.h"

#include <QApplication>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextStream>

#include <malloc.h>
#include <unistd.h>

namespace {

// The program's resident memory in MB.
double residentMb() {
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = f.readAll().split(' ');
    return fields.value(1).toDouble() * double(::sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

void printAll(const OrganiseSession& s, const QString& dir) {
    const std::pair<const char*, void (*)(PrintSurface&, const OrganiseSession&, const QString&)> outs[] = {
        {"staff.pdf", &OrganisePrint::staffPages},
        {"byoldclass.pdf", &OrganisePrint::byOldClassPages},
        {"posting.pdf", &OrganisePrint::postingPages}};
    for (const auto& [file, pages] : outs) {
        PrintSurface ps(std::make_unique<PainterBackend>(dir + u'/' + QString::fromLatin1(file)));
        pages(ps, s, QStringLiteral("港市立みなと小学校"));
        ps.EndDoc();
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const int grades = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 5;
    for (int g = 1; g <= grades; ++g) {
        const Organiser::Problem p = GradeMaker::make({}, quint64(g));
        QStringList names;
        for (int i = 0; i < p.pupils.size(); ++i)
            names << QString::number(i);
        Organiser::Proposal best;
        const double ms = medianMs(3, [&] { best = Organiser::propose(p, names, 1); });
        QList<int> moved = best.assignment;
        if (!moved.isEmpty())
            std::swap(moved[0], moved[1]);
        Organiser::Figures f;
        const double figMs = medianMs(5, [&] { f = Organiser::figures(p, moved); });
        out << "grade " << g << ": proposal " << ms << " ms, figures " << figMs << " ms; conflicts "
            << best.conflicts.size() << ", off bound " << best.figures.offBound << ", spread "
            << best.figures.spread << Qt::endl;
    }

    // The same size of grade as files, in a run of the program with its windows.
    WindowDriver d;
    MsgBox::setAnswerer([](const MsgBox::Shown&) { return MsgBox::Ok; });
    if (!GradeMaker::writeGrade(QStringLiteral("C:\\voxadata"), 5, 6, 40, 7))
        return 1;
    d.start();
    GradeData::Grade grade;
    const double readMs =
        medianMs(5, [&] { grade = GradeData::read(QStringLiteral("C:\\voxadata"), 5, 2, 1); });
    OrganiseSession s;
    s.open(grade, OrganiseRules(), 6, 40);
    s.propose(1, nullptr, false);
    QTemporaryDir tmp;
    const QString keep = argc > 2 ? QString::fromLocal8Bit(argv[2]) : tmp.path();
    const double printMs = medianMs(3, [&] { printAll(s, keep); });
    out << "grade of 6 x 40 as files: read " << readMs << " ms, three printouts to PDF " << printMs << " ms"
        << Qt::endl;

    // Memory: the window opened on the grade, closed, and opened again (what stays is what it adds).
    ::malloc_trim(0);
    const double before = residentMb();
    for (int round = 0; round < 2; ++round) {
        d.trigger(QStringLiteral("vxMain"), QStringLiteral("mnuUOrganise"));
        d.find<QSpinBox>(QStringLiteral("vxOrganise"), QStringLiteral("spnGrade"))->setValue(5);
        QCoreApplication::processEvents();
        const double open = residentMb();
        if (round == 0) {
            // A swap by hand, as the teacher makes it: the lists, the figures and the rules' file.
            auto* first = d.find<QTableWidget>(QStringLiteral("vxOrganise"), QStringLiteral("grdClass(0)"));
            auto* second = d.find<QTableWidget>(QStringLiteral("vxOrganise"), QStringLiteral("grdClass(1)"));
            const double swapMs = medianMs(7, [&] {
                first->setCurrentCell(0, 0);
                d.click(QStringLiteral("vxOrganise"), QStringLiteral("cmdSwap"));
                second->setCurrentCell(0, 0);
                d.click(QStringLiteral("vxOrganise"), QStringLiteral("cmdSwap"));
            });
            out << "a swap in the window (lists, figures, rules saved): " << swapMs << " ms" << Qt::endl;
            // A flag ticked in the rules' table: the table of every pupil is shown again.
            auto* pupils = d.find<QTableWidget>(QStringLiteral("vxOrganise"), QStringLiteral("grdPupils"));
            const double flagMs = medianMs(7, [&] {
                QTableWidgetItem* item = pupils->item(0, 4);
                item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
            });
            out << "a flag ticked (rules saved, every table shown again): " << flagMs << " ms" << Qt::endl;
        }
        d.click(QStringLiteral("vxOrganise"), QStringLiteral("cmdEnd"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ::malloc_trim(0);
        out << "window with the grade open: +" << (open - before) << " MB, after closing +"
            << (residentMb() - before) << " MB" << Qt::endl;
    }
    return 0;
}
