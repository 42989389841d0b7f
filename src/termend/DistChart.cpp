#include "termend/DistChart.h"

#include "core/NumberFormat.h"

#include <QPainter>
#include <QPainterPath>

using namespace Qt::StringLiterals;

namespace {
// The three marks, then the unmarked part.
const QColor kColours[4] = {QColor(0x1f, 0x5f, 0xa8), QColor(0x3a, 0x9a, 0x4a), QColor(0xe0, 0x8a, 0x1c),
                            QColor(0xb8, 0xb8, 0xb8)};
const QColor kMean(0xc0, 0x20, 0x20);
const QColor kMedian(0x40, 0x40, 0x40);
} // namespace

DistChart::DistChart(QWidget* parent) : QWidget(parent) {
    setObjectName(u"DistChart"_s);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void DistChart::setStats(const Distribution::Stats& stats, const QStringList& marks) {
    m_stats = stats;
    m_marks = marks;
    update();
}

QSize DistChart::sizeHint() const {
    const QFontMetrics fm(font());
    return {fm.horizontalAdvance(u"0"_s) * 46, fm.height() * 15};
}

QSize DistChart::minimumSizeHint() const {
    return sizeHint();
}

void DistChart::paintEvent(QPaintEvent*) {
    m_textRects.clear();
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(rect(), palette().base());
    p.setPen(palette().mid().color());
    p.drawRect(rect().adjusted(0, 0, -1, -1));

    const QFontMetrics fm(font());
    const int line = fm.height();
    const int margin = fm.horizontalAdvance(u"0"_s);

    // The legend: the three marks and the unmarked part.
    int x = margin;
    const int legendY = margin / 2;
    p.setPen(palette().text().color());
    p.drawText(QPoint(x, legendY + fm.ascent()), u"分布"_s);
    m_textRects.append(QRect(x, legendY, fm.horizontalAdvance(u"分布"_s), line));
    x += fm.horizontalAdvance(u"分布　"_s);
    QStringList names = m_marks;
    while (names.size() < 3)
        names.append(QString());
    names.append(u"未評価"_s);
    for (int m = 0; m < 4; ++m) {
        p.fillRect(QRect(x, legendY + (line - margin) / 2, margin, margin), kColours[m]);
        x += margin + 2;
        p.setPen(palette().text().color());
        p.drawText(QPoint(x, legendY + fm.ascent()), names[m]);
        m_textRects.append(QRect(x, legendY, fm.horizontalAdvance(names[m]), line));
        x += fm.horizontalAdvance(names[m]) + margin;
    }

    // The plot: ten bars over 0..100 %, with room for the counts above them, the mean and median
    // labels at the top and the band labels below.
    const QRect plot(margin * 3, legendY + line * 3 + 2, width() - margin * 5,
                     height() - legendY - line * 5 - 2);
    const double bandWidth = plot.width() / double(Distribution::kBands);
    int highest = 1;
    for (int b = 0; b < Distribution::kBands; ++b)
        highest = std::max(highest, m_stats.bandTotal(b));
    const double perPupil = (plot.height() - line) / double(highest);

    p.setPen(palette().text().color());
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    for (int b = 0; b <= Distribution::kBands; ++b) {
        const int bx = plot.left() + int(b * bandWidth + 0.5);
        p.drawLine(bx, plot.bottom(), bx, plot.bottom() + margin / 2);
        const QString label = QString::number(b * 10);
        p.drawText(QRect(bx - margin * 2, plot.bottom() + margin / 2, margin * 4, line), Qt::AlignHCenter,
                   label);
    }
    p.drawText(QRect(plot.right() - margin * 3, plot.bottom() + margin / 2 + line, margin * 4, line),
               Qt::AlignRight, u"(％)"_s);

    // The bars first, their counts last, so that the mean and median lines never hide a count.
    struct Label {
        QRectF where;
        QString text;
        QColor colour;
        QColor background;
    };
    QList<Label> labels;
    for (int b = 0; b < Distribution::kBands; ++b) {
        const int left = plot.left() + int(b * bandWidth + 0.5) + 2;
        const int right = plot.left() + int((b + 1) * bandWidth + 0.5) - 2;
        double bottom = plot.bottom();
        for (int m = 0; m < 4; ++m) {
            const int n = m_stats.counts[size_t(b)][size_t(m)];
            if (n == 0)
                continue;
            const double h = n * perPupil;
            const QRectF part(left, bottom - h, right - left, h);
            p.fillRect(part, kColours[m]);
            if (h >= line - 2)
                labels.append({part, QString::number(n), m == Distribution::kUnmarked ? Qt::black : Qt::white,
                               kColours[m]});
            bottom -= h;
        }
        const int total = m_stats.bandTotal(b);
        if (total > 0)
            labels.append({QRectF(left - margin, bottom - line, right - left + 2 * margin, line),
                           QString::number(total), palette().text().color(), palette().base().color()});
    }

    // Mean and median: lines over the plot, each labelled on its own row between the legend and
    // the plot, where no bar or count reaches; a short tick joins the label to its line.
    auto marker = [&](std::optional<double> value, const QColor& colour, Qt::PenStyle style,
                      const QString& name, int row) {
        if (!value)
            return;
        const int vx = plot.left() + int(std::clamp(*value, 0.0, 100.0) / 100.0 * plot.width() + 0.5);
        const int labelTop = legendY + line * (1 + row);
        p.setPen(QPen(colour, 2, style));
        p.drawLine(vx, labelTop + line, vx, plot.bottom());
        const QString text = name + NumberFormat::format(*value, u"##0.0"_s);
        const int w = fm.horizontalAdvance(text);
        // Beside its line, on the side with room, so the line never runs through its own text.
        int tx = vx + margin / 2;
        if (tx + w > width() - 2)
            tx = vx - margin / 2 - w;
        tx = std::clamp(tx, 2, width() - w - 2);
        p.setPen(colour);
        p.drawText(QPoint(tx, labelTop + fm.ascent()), text);
        m_textRects.append(QRect(tx, labelTop, w, line));
    };
    marker(m_stats.mean, kMean, Qt::SolidLine, u"平均 "_s, 0);
    marker(m_stats.median, kMedian, Qt::DashLine, u"中央値 "_s, 1);

    // The counts last, each on a patch of its own background, so a line never hides a number.
    for (const Label& l : std::as_const(labels)) {
        const int w = fm.horizontalAdvance(l.text);
        const QRect text(qRound(l.where.center().x()) - w / 2 - 1,
                         qRound(l.where.top() + (l.where.height() - line) / 2), w + 2, line);
        p.fillRect(text.adjusted(0, 1, 0, -1), l.background);
        p.setPen(l.colour);
        p.drawText(l.where, Qt::AlignCenter, l.text);
        m_textRects.append(text);
    }
}
