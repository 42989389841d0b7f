#pragma once

#include "termcalc/Distribution.h"

#include <QList>
#include <QRect>
#include <QStringList>
#include <QWidget>

// The class's distribution beside the evaluation lists: one bar for each band of percentages,
// split by the marks already given (three colours, the unmarked part grey), the count on each bar,
// and the class mean and median as marked lines.
class DistChart : public QWidget {
    Q_OBJECT
public:
    explicit DistChart(QWidget* parent = nullptr);

    // The numbers to draw and the three marks in their order (◎○△ or ３２１).
    void setStats(const Distribution::Stats& stats, const QStringList& marks);
    const Distribution::Stats& stats() const { return m_stats; }

    // Where the last painting put each text (legend, mean and median labels, counts), to check
    // that none runs into another.
    const QList<QRect>& textRects() const { return m_textRects; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Distribution::Stats m_stats;
    QStringList m_marks;
    QList<QRect> m_textRects;
};
