#include "mainwindow/ToolbarIcons.h"

#include <QPainter>
#include <QPixmap>

namespace ToolbarIcons {

QIcon icon(const QString& glyph, const QColor& colour) {
    QIcon out;
    for (int size : {24, 32, 48}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r(1, 1, size - 2, size - 2);
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, colour.lighter(130));
        g.setColorAt(1, colour.darker(115));
        p.setPen(QPen(colour.darker(160), 1));
        p.setBrush(g);
        p.drawRoundedRect(r, size / 6.0, size / 6.0);
        QFont f = p.font();
        f.setPixelSize(size * 2 / 3);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(r, Qt::AlignCenter, glyph);
        out.addPixmap(pm);
    }
    return out;
}

} // namespace ToolbarIcons
