// Draws the explanatory picture of the drilled-shaft dialog: a belled shaft in the ground
// with the quantities the dialog asks for. Run it to remake drilled_shaft.jpg:
//   draw_drilled_shaft drilled_shaft.jpg
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

void arrowHead(QPainter &p, QPointF tip, QPointF from)
{
    const QPointF d = tip - from;
    const double len = std::hypot(d.x(), d.y());
    const QPointF u = d / len, n(-u.y(), u.x());
    p.setBrush(Qt::black);
    p.drawPolygon(QPolygonF{tip, tip - 8 * u + 3.5 * n, tip - 8 * u - 3.5 * n});
}

void dimension(QPainter &p, QPointF a, QPointF b, const QString &text, QPointF textAt)
{
    p.setPen(QPen(Qt::black, 1.2));
    p.drawLine(a, b);
    arrowHead(p, a, b);
    arrowHead(p, b, a);
    p.drawText(QRectF(textAt - QPointF(30, 10), QSizeF(60, 20)), Qt::AlignCenter, text);
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QString out =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("drilled_shaft.jpg");
    QImage image(300, 440, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringLiteral("DejaVu Serif"), 12);
    font.setItalic(true);
    p.setFont(font);

    const double ground = 60, bellTop = 300, bellBottom = 370, base = 384;
    const double cx = 120, stem = 30, bell = 75;
    // Ground: two soil layers with a hatched surface.
    p.fillRect(QRectF(0, ground, 300, 160), QColor(222, 203, 164));
    p.fillRect(QRectF(0, ground + 160, 300, 440 - ground - 160), QColor(196, 174, 140));
    p.setPen(QPen(QColor(120, 100, 70), 1));
    for (double x = -10; x < 300; x += 12)
        p.drawLine(QPointF(x, ground + 10), QPointF(x + 10, ground));
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(QPointF(0, ground), QPointF(300, ground));

    // The shaft: stem, bell at the angle Ang from the vertical, short straight base.
    QPainterPath shaft;
    shaft.moveTo(cx - stem, ground - 14);
    shaft.lineTo(cx + stem, ground - 14);
    shaft.lineTo(cx + stem, bellTop);
    shaft.lineTo(cx + bell, bellBottom);
    shaft.lineTo(cx + bell, base);
    shaft.lineTo(cx - bell, base);
    shaft.lineTo(cx - bell, bellBottom);
    shaft.lineTo(cx - stem, bellTop);
    shaft.closeSubpath();
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(QColor(190, 190, 190));
    p.drawPath(shaft);

    // Zones without side resistance along the stem.
    p.setPen(Qt::NoPen);
    p.setBrush(QBrush(QColor(90, 90, 90), Qt::BDiagPattern));
    p.drawRect(QRectF(cx - stem, ground, 2 * stem, 55));
    p.drawRect(QRectF(cx - stem, bellTop - 50, 2 * stem, 50));

    p.setPen(Qt::black);
    dimension(p, QPointF(cx - stem, 175), QPointF(cx + stem, 175), QStringLiteral("B"),
              QPointF(cx, 162));
    dimension(p, QPointF(cx - bell, base + 18), QPointF(cx + bell, base + 18), QStringLiteral("Bb"),
              QPointF(cx, base + 34));
    p.setPen(QPen(Qt::black, 0.8, Qt::DashLine));
    p.drawLine(QPointF(cx + stem, ground), QPointF(cx + 200, ground));
    p.drawLine(QPointF(cx + stem, ground + 55), QPointF(cx + 200, ground + 55));
    p.drawLine(QPointF(cx + stem, bellTop - 50), QPointF(cx + 200, bellTop - 50));
    p.drawLine(QPointF(cx + stem, bellTop), QPointF(cx + 200, bellTop));
    p.drawLine(QPointF(cx + stem, bellTop), QPointF(cx + stem, bellBottom + 5));
    dimension(p, QPointF(cx + 150, ground), QPointF(cx + 150, ground + 55), QStringLiteral("Lue"),
              QPointF(cx + 125, ground + 28));
    dimension(p, QPointF(cx + 150, bellTop - 50), QPointF(cx + 150, bellTop), QStringLiteral("Lle"),
              QPointF(cx + 125, bellTop - 25));
    // The bell angle, between the vertical and the face of the bell.
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(Qt::NoBrush);
    const double faceAngle = std::atan2(bellBottom - bellTop, bell - stem) * 180.0 / M_PI;
    p.drawArc(QRectF(cx + stem - 40, bellTop - 40, 80, 80), -90 * 16,
              static_cast<int>((90 - faceAngle) * 16));
    p.drawText(QPointF(cx + stem + 12, bellTop + 58), QStringLiteral("Ang"));
    p.end();
    return image.save(out, "JPG", 92) ? 0 : 1;
}
