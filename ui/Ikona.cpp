#include "Ikona.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace vertano::ui {

namespace {

QPixmap Obrazek(int velikost) {
    QPixmap obrazek(velikost, velikost);
    obrazek.fill(Qt::transparent);
    QPainter p(&obrazek);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(velikost / 64.0, velikost / 64.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2b, 0x5d, 0x9b));
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
    p.setPen(QPen(Qt::white, 2.5));
    const QPointF a(14, 46), b(32, 14), c(50, 42), s(30, 34);
    for (const auto& [od, po] : {std::pair{a, b}, {b, c}, {c, a}, {b, s}, {a, s}, {c, s}})
        p.drawLine(od, po);
    p.save();
    p.translate(s);
    p.rotate(-30);
    p.setPen(QPen(QColor(0xff, 0xd2, 0x4a), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(0, 0), 7, 3.5);
    p.restore();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xee, 0x5c, 0x5c));
    for (const QPointF& vrchol : {QPointF(14, 40), QPointF(32, 8), QPointF(50, 36)}) {
        QPainterPath trojuhelnik;
        trojuhelnik.moveTo(vrchol);
        trojuhelnik.lineTo(vrchol + QPointF(-5, 10));
        trojuhelnik.lineTo(vrchol + QPointF(5, 10));
        trojuhelnik.closeSubpath();
        p.drawPath(trojuhelnik);
    }
    p.setBrush(QColor(0x59, 0xbe, 0x4d));
    p.drawEllipse(s, 3, 3);
    return obrazek;
}

}  // namespace

QIcon IkonaProgramu() {
    QIcon ikona;
    for (const int velikost : {16, 32, 48, 64, 128}) ikona.addPixmap(Obrazek(velikost));
    return ikona;
}

}  // namespace vertano::ui
