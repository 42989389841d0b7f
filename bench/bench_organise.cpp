// The organiser on a grade of 6 classes of 40 with 20 pairs apart, 10 groups together and 5 pupils
// fixed: the time of a proposal, of the figures after a move, and what the proposal reaches.
#include "GradeMaker.h"
#include "Median.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
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
    return 0;
}
