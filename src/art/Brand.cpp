// The maker's mark and the game's face: the mascot, the window icon, the
// logo and the splash picture.
#include "art/Glyphs.h"

#include "art/GlyphArt.h"
#include "art/Surface.h"
#include "art/Tiles.h"

#include <array>
#include <cmath>

namespace zk::art {

// The maker's mascot: a cheerful face under a pointed hat with a star.
void DrawMascot(QPainter& p, QPointF c, double r) {
    // face
    p.setPen(QPen(Rgb(0x5A3A1A), r * 0.09));
    p.setBrush(Ball(c, r, Rgb(0xFFE6C8), Rgb(0xE0A070)));
    p.drawEllipse(c, r, r);
    // hat, tilted, with a star
    QPainterPath hat;
    hat.moveTo(c + QPointF(-r * 1.05, -r * 0.35));
    hat.cubicTo(c + QPointF(-r * 0.4, -r * 0.8), c + QPointF(r * 0.5, -r * 0.8),
                c + QPointF(r * 1.05, -r * 0.4));
    hat.lineTo(c + QPointF(r * 0.75, -r * 1.9));
    hat.closeSubpath();
    Outlined(p, hat, Down(c.y() - 2 * r, c.y() - r * 0.3, Rgb(0x9A5AE0), Rgb(0x4A1A8A)),
             Rgb(0x2A0A4A), r * 0.08);
    p.setPen(Qt::NoPen);
    p.setBrush(Rgb(0xFFD84A));
    p.drawPath(Star(c + QPointF(r * 0.35, -r * 0.95), 5, r * 0.26, r * 0.11, 0));
    // eyes
    for (double s : {-1.0, 1.0}) {
        const QPointF e = c + QPointF(s * r * 0.36, -r * 0.02);
        p.setBrush(QColor(255, 255, 255));
        p.setPen(QPen(Rgb(0x3A2A1A), r * 0.06));
        p.drawEllipse(e, r * 0.22, r * 0.27);
        p.setPen(Qt::NoPen);
        p.setBrush(Ink);
        p.drawEllipse(e + QPointF(r * 0.05, r * 0.05), r * 0.11, r * 0.14);
    }
    // cheeks and grin
    p.setBrush(QColor(240, 110, 90, 110));
    p.drawEllipse(c + QPointF(-r * 0.62, r * 0.35), r * 0.16, r * 0.11);
    p.drawEllipse(c + QPointF(r * 0.62, r * 0.35), r * 0.16, r * 0.11);
    QPainterPath grin;
    grin.moveTo(c + QPointF(-r * 0.48, r * 0.3));
    grin.cubicTo(c + QPointF(-r * 0.3, r * 0.85), c + QPointF(r * 0.3, r * 0.85),
                 c + QPointF(r * 0.48, r * 0.3));
    grin.closeSubpath();
    Outlined(p, grin, Rgb(0x8A1A1A), Rgb(0x3A0A0A), r * 0.06);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255));
    p.drawRect(QRectF(c.x() - r * 0.3, c.y() + r * 0.32, r * 0.6, r * 0.13));
}

namespace {

void IconArt(QPainter& p, int size) {
    // A rounded sand tile carrying the three connection kinds into a steel
    // hub, with the marker star; drawn in a 64-unit box.
    const bool tiny = size <= 16;
    const bool small = size <= 24;
    p.scale(size / 64.0, size / 64.0);
    QPainterPath tile;
    tile.addRoundedRect(QRectF(3, 3, 58, 58), 9, 9);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawPath(tile.translated(1.5, 2.0));
    Outlined(p, tile, Down(3, 61, Rgb(0xEBDDBE), Rgb(0xC2A878)), Rgb(0x5A4020), tiny ? 2.4 : 1.6);
    if (!tiny) {
        p.setPen(QPen(QColor(255, 255, 255, 120), 1.4));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(5.5, 5.5, 53, 53), 7, 7);
    }
    const QPointF c(32, 33);
    p.save();
    p.setClipPath(tile);
    // band to the left, rails down, pipe up, band to the right
    auto stroke = [&](QPointF a, double w, const QColor& col) {
        p.setPen(QPen(col, w, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(a, c);
    };
    const double k = tiny ? 1.35 : (small ? 1.15 : 1.0);
    stroke(QPointF(0, 33), 20 * k, Rgb(0x5E3F06));
    stroke(QPointF(0, 33), 16 * k, Rgb(0xE0B02A));
    stroke(QPointF(0, 33), 6 * k, Rgb(0xFBE48A));
    stroke(QPointF(64, 33), 20 * k, Rgb(0x5E3F06));
    stroke(QPointF(64, 33), 16 * k, Rgb(0xE0B02A));
    stroke(QPointF(64, 33), 6 * k, Rgb(0xFBE48A));
    stroke(QPointF(32, 64), 15 * k, Rgb(0x4B0F15));
    if (!tiny) {
        for (double s : {-4.2, 4.2}) {
            p.setPen(QPen(Rgb(0xD0302A), 3.4 * k, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(QPointF(32 + s * k, 64), QPointF(32 + s * k, 33));
        }
    } else {
        stroke(QPointF(32, 64), 7, Rgb(0xD0302A));
    }
    stroke(QPointF(32, 0), 10 * k, Rgb(0x123570));
    stroke(QPointF(32, 0), 7.4 * k, Rgb(0x2468CC));
    stroke(QPointF(32, 0), 2.4 * k, Rgb(0xC4E2FF));
    p.restore();
    // hub
    p.setPen(QPen(Rgb(0x24272D), 1.4));
    p.setBrush(Ball(c, 12, Rgb(0xF4F6F9), Rgb(0x59606B)));
    p.drawEllipse(c, 11.5 * k, 11.5 * k);
    if (!tiny) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Rgb(0x3A3F47), 1.2));
        p.drawEllipse(c, 6.5, 6.5);
    }
    // the marker star
    if (!tiny) {
        const QPointF s(49, 15);
        p.setPen(QPen(Rgb(0x5A0A68), small ? 1.8 : 1.2));
        QRadialGradient g(s, 12);
        g.setColorAt(0, Rgb(0xFFFFFF));
        g.setColorAt(0.45, Rgb(0xFFE0F8));
        g.setColorAt(1, Rgb(0xFF46D2));
        p.setBrush(g);
        p.drawPath(Star(s, 4, small ? 13 : 12, small ? 4.2 : 3.4, 0));
    }
}

QImage LogoArt(double scale) {
    return Render(100, 75, scale, [](QPainter& p) {
        // a plum badge with a gilt rim
        QPainterPath badge;
        badge.addRoundedRect(QRectF(1, 1, 98, 73), 9, 9);
        QLinearGradient plum(QPointF(0, 0), QPointF(0, 75));
        plum.setColorAt(0, Rgb(0x5A2A8A));
        plum.setColorAt(1, Rgb(0x24103E));
        Outlined(p, badge, plum, Rgb(0xD8A840), 1.8);
        p.setPen(QPen(QColor(255, 230, 160, 90), 0.8));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(4, 4, 92, 67), 7, 7);
        // sparkles
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 236, 150, 200));
        for (const auto& [x, y, r] : std::array<std::array<double, 3>, 5>{
                 {{14, 14, 2.6}, {86, 12, 2.0}, {80, 38, 1.6}, {18, 40, 1.8}, {66, 8, 1.3}}}) {
            p.drawPath(Star(QPointF(x, y), 4, r * 1.6, r * 0.45, 0));
        }
        DrawMascot(p, QPointF(50, 30), 13.5);
        // the name
        const QPainterPath name = CentredTextPath(QStringLiteral("Zanfor"), 17, true, 50, 60);
        p.setPen(QPen(Rgb(0x1A0A2A), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(name);
        p.setPen(Qt::NoPen);
        p.setBrush(Down(46, 60, Rgb(0xFFF2B0), Rgb(0xE0A020)));
        p.drawPath(name);
        QPainterPath games;
        const QString letters = QStringLiteral("GAMES");
        for (int i = 0; i < letters.size(); ++i) {
            games.addPath(CentredTextPath(letters.mid(i, 1), 8, true, 34 + i * 8, 70));
        }
        p.setBrush(Rgb(0xE8D8FF));
        p.drawPath(games);
    });
}

} // namespace

QImage Icon(int size) {
    return Render(
        size, size, 1, [size](QPainter& p) { IconArt(p, size); }, 4);
}

QImage Logo(double scale) {
    return LogoArt(scale);
}

QImage SplashPicture(double scale) {
    QImage out = Opaque(Render(
        200, 150, scale,
        [&](QPainter& p) {
            // night-blue ground with a glow behind the tiles
            QLinearGradient sky(QPointF(0, 0), QPointF(0, 150));
            sky.setColorAt(0, Rgb(0x1A2238));
            sky.setColorAt(1, Rgb(0x0A0D16));
            p.fillRect(QRectF(0, 0, 200, 150), sky);
            QRadialGradient glow(QPointF(100, 92), 80);
            glow.setColorAt(0, QColor(255, 200, 90, 90));
            glow.setColorAt(1, QColor(255, 200, 90, 0));
            p.fillRect(QRectF(0, 0, 200, 150), glow);
            for (int i = 0; i < 40; ++i) {
                const double x = Unit(Hash(static_cast<std::uint32_t>(i), 808)) * 200;
                const double y = Unit(Hash(static_cast<std::uint32_t>(i), 809)) * 60;
                const double a = 80 + Unit(Hash(static_cast<std::uint32_t>(i), 810)) * 150;
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(255, 255, 255, static_cast<int>(a)));
                p.drawEllipse(QPointF(x, y), 0.5, 0.5);
            }
            // three tiles, one of each kind, fanned out
            const std::array<int, 3> tiles = {3, 14, 33};
            const std::array<double, 3> angle = {-9.0, 0.0, 9.0};
            const std::array<QPointF, 3> centre = {QPointF(50, 96), QPointF(100, 90),
                                                   QPointF(150, 96)};
            for (int i : {0, 2, 1}) {
                p.save();
                p.translate(centre[static_cast<std::size_t>(i)]);
                p.rotate(angle[static_cast<std::size_t>(i)]);
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(0, 0, 0, 120));
                p.drawRoundedRect(QRectF(-22, -21, 48, 48), 2, 2);
                p.setRenderHint(QPainter::SmoothPixmapTransform, true);
                p.drawImage(QRectF(-24, -24, 48, 48),
                            RenderTile(tiles[static_cast<std::size_t>(i)], scale));
                p.restore();
            }
            // the marker on the middle tile
            const QImage frame = SpriteFrame(2, scale);
            const QImage mask = SpriteMask(frame);
            QImage marker(frame.size(), QImage::Format_ARGB32);
            for (int y = 0; y < frame.height(); ++y) {
                for (int x = 0; x < frame.width(); ++x) {
                    const bool on = qRed(mask.pixel(x, y)) == 0;
                    marker.setPixel(x, y, on ? frame.pixel(x, y) : qRgba(0, 0, 0, 0));
                }
            }
            p.drawImage(QRectF(90, 80, SpriteSize, SpriteSize), marker);
            // the title
            const QPainterPath title =
                CentredTextPath(QStringLiteral("Zanfor Kelva"), 27, true, 100, 40);
            p.setPen(QPen(QColor(0, 0, 0, 150), 5.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawPath(title.translated(1, 2));
            p.setPen(QPen(Rgb(0x3A2204), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPath(title);
            p.setPen(Qt::NoPen);
            p.setBrush(Down(18, 40, Rgb(0xFFF6C0), Rgb(0xE09A18)));
            p.drawPath(title);
            p.setPen(QPen(QColor(255, 255, 255, 120), 0.6));
            p.setBrush(Qt::NoBrush);
            p.drawPath(title.translated(0, -0.4));
            // the maker and the version
            p.setPen(Qt::NoPen);
            p.setBrush(Rgb(0xC8D0E4));
            p.drawPath(CentredTextPath(QStringLiteral("Zanfor Games  \u00B7  Version 2.0"), 8.5,
                                       false, 100, 143));
        },
        4));
    return out.convertToFormat(QImage::Format_RGB32);
}

} // namespace zk::art
