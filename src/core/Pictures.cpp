#include "core/Pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

using namespace Qt::StringLiterals;

namespace Pictures {

QPixmap splash(const QSize& size) {
    QPixmap pm(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 0, size.height());
    bg.setColorAt(0, QColor(0x1f, 0x4e, 0x9a));
    bg.setColorAt(1, QColor(0x8f, 0xc1, 0xf0));
    p.fillRect(pm.rect(), bg);

    // An open grade book: two pages with ruled lines and a few marks.
    const double w = size.width();
    const double h = size.height();
    const QRectF book(w * 0.12, h * 0.38, w * 0.76, h * 0.36);
    p.setPen(QPen(QColor(0x33, 0x33, 0x33), 1.5));
    p.setBrush(QColor(0xfd, 0xfb, 0xf2));
    QRectF left = book.adjusted(0, 0, -book.width() / 2, 0);
    QRectF right = book.adjusted(book.width() / 2, 0, 0, 0);
    p.drawRect(left);
    p.drawRect(right);
    p.setPen(QPen(QColor(0x9a, 0xb6, 0xd8), 1));
    for (int i = 1; i < 6; ++i) {
        const double y = book.top() + book.height() * i / 6;
        p.drawLine(QPointF(left.left() + 6, y), QPointF(left.right() - 6, y));
        p.drawLine(QPointF(right.left() + 6, y), QPointF(right.right() - 6, y));
    }
    p.setPen(QPen(QColor(0xc0, 0x20, 0x20), 2));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        const double y = book.top() + book.height() * (i + 0.5) / 6;
        p.drawEllipse(QPointF(right.right() - 18, y + book.height() / 12), 5, 5);
    }

    QFont title = p.font();
    title.setBold(true);
    title.setPixelSize(qMax(12, size.height() / 9));
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, h * 0.06, w, h * 0.16), Qt::AlignCenter, u"Voxa2003"_s);
    QFont sub = title;
    sub.setBold(false);
    sub.setPixelSize(qMax(9, size.height() / 20));
    p.setFont(sub);
    p.drawText(QRectF(0, h * 0.22, w, h * 0.1), Qt::AlignCenter, u"For WindowsXp"_s);
    p.setPen(QColor(0x10, 0x2a, 0x55));
    p.drawText(QRectF(0, h * 0.8, w, h * 0.12), Qt::AlignCenter, u"成績処理"_s);
    return pm;
}

QPixmap closedBook(const QSize& size) {
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width();
    const double h = size.height();
    // The book, slightly turned.
    p.translate(w / 2, h / 2);
    p.rotate(-8);
    const QRectF cover(-w * 0.32, -h * 0.36, w * 0.64, h * 0.72);
    p.setPen(QPen(QColor(0x2b, 0x2b, 0x2b), 1.5));
    p.setBrush(QColor(0xf4, 0xf1, 0xe6));
    p.drawRect(cover.translated(4, 4));
    p.setBrush(QColor(0x2e, 0x6b, 0x3a));
    p.drawRect(cover);
    p.setBrush(QColor(0xe8, 0xd9, 0x8c));
    p.drawRect(QRectF(cover.left() + cover.width() * 0.2, cover.top() + cover.height() * 0.18,
                      cover.width() * 0.6, cover.height() * 0.22));
    p.setPen(QPen(QColor(0x6b, 0x5a, 0x1e), 1));
    for (int i = 1; i <= 2; ++i) {
        const double y = cover.top() + cover.height() * (0.18 + 0.22 * i / 3);
        p.drawLine(QPointF(cover.left() + cover.width() * 0.27, y),
                   QPointF(cover.right() - cover.width() * 0.27, y));
    }
    // A pencil laid across.
    p.rotate(30);
    p.setPen(QPen(QColor(0x55, 0x44, 0x00), 1));
    p.setBrush(QColor(0xf2, 0xb9, 0x1f));
    const QRectF body(-w * 0.3, h * 0.1, w * 0.5, h * 0.07);
    p.drawRect(body);
    QPainterPath tip;
    tip.moveTo(body.right(), body.top());
    tip.lineTo(body.right() + w * 0.1, body.center().y());
    tip.lineTo(body.right(), body.bottom());
    tip.closeSubpath();
    p.setBrush(QColor(0xf0, 0xd8, 0xa8));
    p.drawPath(tip);
    return pm;
}

} // namespace Pictures
