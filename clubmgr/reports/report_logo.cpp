#include "report_logo.h"

#include <QPainter>
#include <QPainterPath>
#include <QRectF>

namespace club::reports {

void drawClubLogo(QPainter& p, const QRectF& rect)
{
    p.save();
    // Work in a 100 x 100 box.
    p.translate(rect.topLeft());
    p.scale(rect.width() / 100.0, rect.height() / 100.0);
    const QColor navy(20, 45, 95);

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(navy, 4));
    p.drawEllipse(QRectF(3, 3, 94, 94));
    p.setPen(QPen(navy, 1.2));
    p.drawEllipse(QRectF(10, 10, 80, 80));

    // Body and head of a pigeon flying to the right.
    QPainterPath body;
    body.moveTo(18, 60);
    body.cubicTo(30, 52, 48, 50, 62, 50);
    body.cubicTo(68, 44, 76, 42, 80, 46);
    body.lineTo(86, 47);
    body.lineTo(80, 50);
    body.cubicTo(78, 56, 70, 62, 58, 64);
    body.cubicTo(44, 66, 30, 66, 18, 60);
    body.closeSubpath();

    // The raised wing.
    QPainterPath wing;
    wing.moveTo(40, 54);
    wing.cubicTo(40, 38, 34, 26, 22, 18);
    wing.cubicTo(38, 22, 52, 32, 58, 52);
    wing.closeSubpath();

    // Tail feathers.
    QPainterPath tail;
    tail.moveTo(22, 58);
    tail.lineTo(12, 52);
    tail.lineTo(14, 60);
    tail.lineTo(11, 67);
    tail.lineTo(22, 62);
    tail.closeSubpath();

    p.setPen(Qt::NoPen);
    p.setBrush(navy);
    p.drawPath(body);
    p.drawPath(wing);
    p.drawPath(tail);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(74.5, 45.2, 2.6, 2.6));  // eye

    // A laurel of short strokes under the bird.
    p.setPen(QPen(navy, 2, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 5; ++i) {
        const double x = 30 + i * 10;
        p.drawLine(QPointF(x, 76), QPointF(x + 6, 72));
        p.drawLine(QPointF(x, 76), QPointF(x + 6, 80));
    }
    p.restore();
}

}  // namespace club::reports
