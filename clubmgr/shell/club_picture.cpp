#include "club_picture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

// One pigeon in flight seen from below: body, head and two swept wings.
void drawPigeon(QPainter& p, QPointF at, qreal scale, qreal wingLift)
{
    p.save();
    p.translate(at);
    p.scale(scale, scale);
    QPainterPath wings;
    wings.moveTo(0, 0);
    wings.cubicTo(-12, -10 - wingLift, -30, -14 - wingLift, -44, -6 - wingLift);
    wings.cubicTo(-30, -2, -14, 2, 0, 4);
    wings.cubicTo(14, 2, 30, -2, 44, -6 - wingLift);
    wings.cubicTo(30, -14 - wingLift, 12, -10 - wingLift, 0, 0);
    p.drawPath(wings);
    p.drawEllipse(QPointF(0, 2), 5, 11);
    p.drawEllipse(QPointF(0, -10), 4, 4);
    QPainterPath tail;
    tail.moveTo(-4, 11);
    tail.lineTo(4, 11);
    tail.lineTo(6, 20);
    tail.lineTo(-6, 20);
    tail.closeSubpath();
    p.drawPath(tail);
    p.restore();
}

} // namespace

QPixmap clubPicture(const QSize& size)
{
    QPixmap pm(size.isValid() && !size.isEmpty() ? size : QSize(640, 400));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(pm.rect());
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0.0, QColor(38, 92, 160));
    sky.setColorAt(0.7, QColor(130, 180, 225));
    sky.setColorAt(1.0, QColor(236, 222, 190));
    p.fillRect(r, sky);

    // Hills on the horizon.
    QPainterPath hills;
    hills.moveTo(0, r.height() * 0.82);
    hills.cubicTo(r.width() * 0.25, r.height() * 0.72, r.width() * 0.45, r.height() * 0.9, r.width() * 0.7, r.height() * 0.8);
    hills.cubicTo(r.width() * 0.85, r.height() * 0.75, r.width() * 0.95, r.height() * 0.8, r.width(), r.height() * 0.78);
    hills.lineTo(r.width(), r.height());
    hills.lineTo(0, r.height());
    hills.closeSubpath();
    p.fillPath(hills, QColor(86, 128, 72));

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(245, 245, 250));
    const qreal s = r.width() / 900.0;
    const QPointF flock[] = {{0.22, 0.30}, {0.30, 0.22}, {0.36, 0.34}, {0.45, 0.18}, {0.52, 0.28},
                             {0.60, 0.14}, {0.66, 0.25}, {0.74, 0.20}};
    int i = 0;
    for (const QPointF& f : flock) {
        drawPigeon(p, QPointF(f.x() * r.width(), f.y() * r.height()), s * (0.8 + 0.1 * (i % 3)), (i % 2) * 6.0);
        ++i;
    }

    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(qMax(12, int(r.height() / 12)));
    p.setFont(font);
    p.setPen(QColor(255, 255, 255, 230));
    p.drawText(r.adjusted(0, r.height() * 0.45, 0, -r.height() * 0.25), Qt::AlignCenter,
               QStringLiteral("Volaro Club Management V6"));
    return pm;
}
