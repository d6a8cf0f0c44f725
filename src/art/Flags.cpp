// The language flags, drawn texel-exact.
#include "art/GlyphArt.h"

namespace zk::art {
namespace {

// Flags are drawn texel-exact (no antialiasing) where their stripes fall on
// whole pixels, with a dark rim and a soft gloss.
void FlagFinish(QPainter& p, const QRect& r) {
    p.setRenderHint(QPainter::Antialiasing, false);
    QLinearGradient gloss(QPointF(0, r.top()), QPointF(0, r.bottom() + 1));
    gloss.setColorAt(0, QColor(255, 255, 255, 70));
    gloss.setColorAt(0.5, QColor(255, 255, 255, 0));
    gloss.setColorAt(1, QColor(0, 0, 0, 40));
    p.fillRect(r, gloss);
    // the rim: one unit wide just inside the flag's edge
    QPainterPath rim;
    rim.addRect(QRectF(r.x(), r.y(), r.width(), r.height()));
    rim.addRect(QRectF(r.x() + 1, r.y() + 1, r.width() - 2, r.height() - 2));
    p.fillPath(rim, QColor(20, 22, 28, 200));
}

void UsFlag(QPainter& p, const QRect& r) {
    // 13 stripes of one pixel each
    for (int i = 0; i < 13; ++i) {
        p.fillRect(QRect(r.left(), r.top() + i, r.width(), 1),
                   i % 2 == 0 ? Rgb(0xC8102E) : Rgb(0xFFFFFF));
    }
    const QRect canton(r.left(), r.top(), 11, 7);
    p.fillRect(canton, Rgb(0x1A2A6C));
    for (int y = 0; y < 7; y += 2) {
        for (int x = (y / 2) % 2; x < 11; x += 2) {
            p.fillRect(QRect(canton.left() + x, canton.top() + y, 1, 1),
                       QColor(255, 255, 255, 220));
        }
    }
    FlagFinish(p, r);
}

void UkFlag(QPainter& p, const QRect& r) {
    p.fillRect(r, Rgb(0x012169));
    p.save();
    p.setClipRect(r);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QPointF tl = r.topLeft(), br = QPointF(r.right() + 1, r.bottom() + 1);
    const QPointF tr(r.right() + 1, r.top()), bl(r.left(), r.bottom() + 1);
    p.setPen(QPen(Rgb(0xFFFFFF), 3.0));
    p.drawLine(tl, br);
    p.drawLine(tr, bl);
    p.setPen(QPen(Rgb(0xC8102E), 1.0));
    p.drawLine(tl + QPointF(0, -0.6), br + QPointF(0, -0.6));
    p.drawLine(tr + QPointF(0, 0.6), bl + QPointF(0, 0.6));
    p.restore();
    const QPointF c(r.left() + r.width() / 2.0, r.top() + r.height() / 2.0);
    p.fillRect(QRectF(c.x() - 2.5, r.top(), 5, r.height()), Rgb(0xFFFFFF));
    p.fillRect(QRectF(r.left(), c.y() - 2.5, r.width(), 5), Rgb(0xFFFFFF));
    p.fillRect(QRectF(c.x() - 1.5, r.top(), 3, r.height()), Rgb(0xC8102E));
    p.fillRect(QRectF(r.left(), c.y() - 1.5, r.width(), 3), Rgb(0xC8102E));
    FlagFinish(p, r);
}

void Stripes(QPainter& p, const QRect& r, std::initializer_list<QColor> colours) {
    const int n = static_cast<int>(colours.size());
    int i = 0;
    for (const QColor& c : colours) {
        const int top = r.top() + r.height() * i / n;
        const int bottom = r.top() + r.height() * (i + 1) / n;
        p.fillRect(QRect(r.left(), top, r.width(), bottom - top), c);
        ++i;
    }
    FlagFinish(p, r);
}

void SwissFlag(QPainter& p, const QRect& r) {
    p.fillRect(r, Rgb(0xDA291C));
    const int cx = r.left() + r.width() / 2;
    const int cy = r.top() + r.height() / 2;
    p.fillRect(QRect(cx - 1, cy - 5, 3, 11), Rgb(0xFFFFFF));
    p.fillRect(QRect(cx - 5, cy - 1, 11, 3), Rgb(0xFFFFFF));
    FlagFinish(p, r);
}

} // namespace

QImage FlagsEnglish(double scale) {
    QImage img(Px(53, scale), Px(20, scale), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.scale(scale, scale);
    UsFlag(p, QRect(1, 3, 24, 13));
    UkFlag(p, QRect(28, 3, 24, 13));
    p.end();
    return img;
}

QImage FlagsGerman(double scale) {
    QImage img(Px(80, scale), Px(20, scale), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.scale(scale, scale);
    Stripes(p, QRect(1, 3, 23, 15), {Rgb(0xED2939), Rgb(0xFFFFFF), Rgb(0xED2939)});
    Stripes(p, QRect(28, 3, 24, 15), {Rgb(0x000000), Rgb(0xDD0000), Rgb(0xFFCE00)});
    SwissFlag(p, QRect(60, 3, 15, 15));
    p.end();
    return img;
}

} // namespace zk::art
