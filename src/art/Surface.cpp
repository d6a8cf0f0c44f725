#include "art/Surface.h"

#include "art/Art.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zk::art {
namespace {

constexpr double Pi = std::numbers::pi;

// --- the marker sprite ----------------------------------------------------------

void DrawSprite(QPainter& p, int f) {
    const double phase = static_cast<double>(f) / SpriteFrames;
    const QPointF c(10, 10);
    const double breathe = std::sin(2 * Pi * phase);
    // A four-pointed star in white and magenta, a colour no tile uses, with a
    // dark rim that stands out on sand, stone and every connection. It turns
    // a quarter (its own symmetry) and breathes once per loop, so frame 7
    // leads smoothly back to frame 0.
    const double turn = phase * 90.0;
    const double outer = 8.6 + 0.4 * breathe;
    // a smaller star on the diagonals, breathing against the large one
    const QPainterPath diagonal = Star(c, 4, 6.6 - 0.8 * breathe, 2.6, turn + 45.0);
    p.setPen(QPen(Rgb(0x6A0E78), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Rgb(0xFF7ADC));
    p.drawPath(diagonal);
    const QPainterPath star = Star(c, 4, outer, 3.9, turn);
    p.setPen(QPen(Rgb(0x5A0A68), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QRadialGradient g(c, outer);
    g.setColorAt(0, Rgb(0xFFFFFF));
    g.setColorAt(0.45, Rgb(0xFFE0F8));
    g.setColorAt(1, Rgb(0xFF46D2));
    p.setBrush(g);
    p.drawPath(star);
    p.setPen(Qt::NoPen);
    p.setBrush(Rgb(0xFFFFFF));
    p.drawEllipse(c, 2.4, 2.4);
}

// --- the progress bar -----------------------------------------------------------

void BarTicks(QPainter& p, const QColor& colour) {
    p.setPen(QPen(colour, 1.0, Qt::SolidLine, Qt::FlatCap));
    for (int k = 1; k < 10; ++k) {
        const double y = std::round(k * 31.5) + 0.5;
        const double len = k == 5 ? 8.0 : 5.0;
        p.drawLine(QPointF(1, y), QPointF(1 + len, y));
        p.drawLine(QPointF(30 - len, y), QPointF(30, y));
    }
}

void BarGlass(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 46));
    p.drawRect(QRectF(5, 1, 3, 313));
    p.setBrush(QColor(255, 255, 255, 22));
    p.drawRect(QRectF(8, 1, 1.5, 313));
    p.setBrush(QColor(255, 255, 255, 16));
    p.drawRect(QRectF(24, 1, 1.2, 313));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Rgb(0x05070A), 1.0));
    p.drawRect(QRectF(0.5, 0.5, 30, 314));
}

// The bar drawn into the pixels of its place on the sheet.
QImage Bar(bool full, double scale) {
    const QSize pixels = Scaled(full ? FullBarArea : EmptyBarArea, scale).size();
    return Opaque(RenderInto(pixels, 31, 315, scale, [full](QPainter& p) {
        QLinearGradient across(QPointF(0, 0), QPointF(31, 0));
        if (full) {
            across.setColorAt(0, Rgb(0x6A3000));
            across.setColorAt(0.3, Rgb(0xF2B530));
            across.setColorAt(0.45, Rgb(0xFFE27A));
            across.setColorAt(0.75, Rgb(0xE09A1C));
            across.setColorAt(1, Rgb(0x5E2A00));
        } else {
            across.setColorAt(0, Rgb(0x0A0D13));
            across.setColorAt(0.45, Rgb(0x222A3A));
            across.setColorAt(1, Rgb(0x090C11));
        }
        p.setPen(Qt::NoPen);
        p.setBrush(across);
        p.drawRect(QRectF(0, 0, 31, 315));
        if (full) {
            // the liquid glows more towards the bottom
            QLinearGradient down(QPointF(0, 0), QPointF(0, 315));
            down.setColorAt(0, QColor(255, 255, 255, 30));
            down.setColorAt(1, QColor(120, 40, 0, 60));
            p.setBrush(down);
            p.drawRect(QRectF(0, 0, 31, 315));
            // rising bubbles
            for (int i = 0; i < 46; ++i) {
                const double x = 4 + Unit(Hash(static_cast<std::uint32_t>(i), 4242)) * 23;
                const double y = 4 + Unit(Hash(static_cast<std::uint32_t>(i), 4243)) * 307;
                const double r = 0.7 + Unit(Hash(static_cast<std::uint32_t>(i), 4244)) * 1.3;
                p.setBrush(QColor(255, 250, 220, 110));
                p.drawEllipse(QPointF(x, y), r, r);
                p.setBrush(QColor(255, 255, 255, 190));
                p.drawEllipse(QPointF(x - r * 0.35, y - r * 0.35), r * 0.35, r * 0.35);
            }
            BarTicks(p, QColor(110, 50, 0, 200));
        } else {
            BarTicks(p, Rgb(0x4E5A70));
        }
        BarGlass(p);
    }));
}

// --- the background and its frames ---------------------------------------------

QImage BackgroundTexture(double scale) {
    return Texture(SurfaceWidth, SurfaceHeight, scale, [](const Texel& t) {
        const double n = Fbm(t.x / 38.0, t.y / 38.0, 515, 5);
        const double v = t.y / static_cast<double>(SurfaceHeight);
        QColor c = Mix(Rgb(0x1B2130), Rgb(0x313B50), n);
        c = Mix(c, Rgb(0x141822), v * 0.45);
        const int g = static_cast<int>(Unit(Hash(static_cast<std::uint32_t>(t.px),
                                                 static_cast<std::uint32_t>(t.py), 99)) *
                                       7) -
                      3;
        return QColor(std::clamp(c.red() + g, 0, 255), std::clamp(c.green() + g, 0, 255),
                      std::clamp(c.blue() + g, 0, 255));
    });
}

// A gilt frame around `inner`, `width` wide.
void GiltFrame(QPainter& p, const QRectF& inner, double width) {
    const QRectF outer = inner.adjusted(-width, -width, width, width);
    // drop shadow on the background
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawRoundedRect(outer.translated(2.5, 3), 3, 3);
    QPainterPath ring;
    ring.addRoundedRect(outer, 3, 3);
    ring.addRect(inner);
    ring.setFillRule(Qt::OddEvenFill);
    QLinearGradient gold(outer.topLeft(), outer.bottomRight());
    gold.setColorAt(0, Rgb(0xF2D48A));
    gold.setColorAt(0.35, Rgb(0xC8962E));
    gold.setColorAt(0.65, Rgb(0x9A6A18));
    gold.setColorAt(1, Rgb(0x5E3E0A));
    p.setBrush(gold);
    p.drawPath(ring);
    // a dark channel in the middle of the moulding
    p.setBrush(Qt::NoBrush);
    const QRectF mid = inner.adjusted(-width / 2, -width / 2, width / 2, width / 2);
    p.setPen(QPen(QColor(60, 36, 6, 200), 1.6));
    p.drawRoundedRect(mid, 2, 2);
    p.setPen(QPen(QColor(255, 240, 190, 120), 0.8));
    p.drawRoundedRect(mid.translated(0.8, 0.8), 2, 2);
    // crisp outer and inner edges
    p.setPen(QPen(Rgb(0x0B0D11), 1.0));
    p.drawRoundedRect(outer.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    p.setPen(QPen(Rgb(0x120C04), 1.2));
    p.drawRect(inner.adjusted(-0.6, -0.6, 0.6, 0.6));
    p.setPen(QPen(QColor(255, 245, 210, 150), 0.8));
    p.drawLine(outer.topLeft() + QPointF(3, 1.2), outer.topRight() + QPointF(-3, 1.2));
    p.drawLine(outer.topLeft() + QPointF(1.2, 3), outer.bottomLeft() + QPointF(1.2, -3));
}

void Stud(QPainter& p, QPointF c, double r) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 110));
    p.drawEllipse(c + QPointF(0.8, 1.0), r, r);
    QRadialGradient g(c - QPointF(r * 0.4, r * 0.45), r * 1.5);
    g.setColorAt(0, Rgb(0xFFF6D0));
    g.setColorAt(0.5, Rgb(0xD0A040));
    g.setColorAt(1, Rgb(0x6A4608));
    p.setBrush(g);
    p.setPen(QPen(Rgb(0x3A2604), 0.6));
    p.drawEllipse(c, r, r);
}

void Jewel(QPainter& p, QPointF c, double r) {
    Stud(p, c, r + 1.6);
    QRadialGradient g(c - QPointF(r * 0.4, r * 0.4), r * 1.4);
    g.setColorAt(0, Rgb(0xFFC8D0));
    g.setColorAt(0.5, Rgb(0xC8183A));
    g.setColorAt(1, Rgb(0x4A0414));
    p.setBrush(g);
    p.setPen(QPen(Rgb(0x2A0208), 0.5));
    p.drawEllipse(c, r, r);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 210));
    p.drawEllipse(c - QPointF(r * 0.35, r * 0.4), r * 0.28, r * 0.28);
}

// A faint engraved lattice over the background.
void Lattice(QPainter& p) {
    p.setPen(QPen(QColor(255, 255, 255, 10), 1.0));
    for (int i = -SurfaceHeight; i < SurfaceWidth; i += 24) {
        p.drawLine(QPointF(i, 0), QPointF(i + SurfaceHeight, SurfaceHeight));
        p.drawLine(QPointF(i + SurfaceHeight, 0), QPointF(i, SurfaceHeight));
    }
    p.setPen(QPen(QColor(0, 0, 0, 22), 1.0));
    for (int i = -SurfaceHeight; i < SurfaceWidth; i += 24) {
        p.drawLine(QPointF(i + 1, 0), QPointF(i + 1 + SurfaceHeight, SurfaceHeight));
        p.drawLine(QPointF(i + 1 + SurfaceHeight, 0), QPointF(i + 1, SurfaceHeight));
    }
}

void DrawBackground(QPainter& p) {
    Lattice(p);
    // vignette
    QRadialGradient vignette(QPointF(240, 188), 340);
    vignette.setColorAt(0.6, QColor(0, 0, 0, 0));
    vignette.setColorAt(1, QColor(0, 0, 0, 110));
    p.setPen(Qt::NoPen);
    p.setBrush(vignette);
    p.drawRect(QRectF(0, 0, SurfaceWidth, SurfaceHeight));

    const QRectF board(BoardArea);
    GiltFrame(p, board, 8);
    for (const QPointF c :
         {board.topLeft() + QPointF(-4, -4), board.topRight() + QPointF(4, -4),
          board.bottomLeft() + QPointF(-4, 4), board.bottomRight() + QPointF(4, 4)}) {
        Jewel(p, c, 3.2);
    }
    for (int i = 1; i < 9; ++i) {
        const double x = board.left() + i * 48.0;
        Stud(p, QPointF(x, board.top() - 4), 1.5);
        Stud(p, QPointF(x, board.bottom() + 4), 1.5);
    }
    for (int j = 1; j < 7; ++j) {
        const double y = board.top() + j * 48.0;
        Stud(p, QPointF(board.left() - 4, y), 1.5);
        Stud(p, QPointF(board.right() + 4, y), 1.5);
    }

    const QRectF bar(FullBarArea);
    GiltFrame(p, bar, 5);
    Jewel(p, QPointF(bar.center().x(), bar.top() - 13), 3.6);
    Jewel(p, QPointF(bar.center().x(), bar.bottom() + 13), 3.6);
    // filigree from the jewels to the frame
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Rgb(0xB88A30), 1.2, Qt::SolidLine, Qt::RoundCap));
    for (double dir : {-1.0, 1.0}) {
        const double yJewel = dir < 0 ? bar.top() - 13 : bar.bottom() + 13;
        const double yFrame = dir < 0 ? bar.top() - 5 : bar.bottom() + 5;
        for (double side : {-1.0, 1.0}) {
            QPainterPath curl;
            curl.moveTo(bar.center().x() + side * 5, yJewel);
            curl.cubicTo(bar.center().x() + side * 12, yJewel, bar.center().x() + side * 14, yFrame,
                         bar.center().x() + side * 18, yFrame);
            p.drawPath(curl);
        }
    }
}

} // namespace

QImage SpriteFrame(int f, double scale) {
    const QSize pixels = Scaled(SpriteFrameArea(f), scale).size();
    QImage frame = Opaque(RenderInto(
        pixels, SpriteSize, SpriteSize, scale, [f](QPainter& p) { DrawSprite(p, f); }, 8));
    // Faint antialiasing residue counts as background: the sprite keeps a
    // clean edge and the mask stays compact.
    for (int y = 0; y < frame.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(frame.scanLine(y));
        for (int x = 0; x < frame.width(); ++x) {
            if (std::max({qRed(line[x]), qGreen(line[x]), qBlue(line[x])}) < 28) {
                line[x] = qRgb(0, 0, 0);
            }
        }
    }
    return frame;
}

QImage SpriteMask(const QImage& frame) {
    QImage mask(frame.size(), QImage::Format_RGB32);
    for (int y = 0; y < frame.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(mask.scanLine(y));
        for (int x = 0; x < frame.width(); ++x) {
            const bool black = (src[x] & 0x00FFFFFFu) == 0;
            dst[x] = black ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
        }
    }
    return mask;
}

QImage FullBar(double scale) {
    return Bar(true, scale);
}
QImage EmptyBar(double scale) {
    return Bar(false, scale);
}

QImage SurfaceSheet(double scale) {
    const QImage texture = BackgroundTexture(scale);
    QImage sheet = Opaque(Render(SurfaceWidth, SurfaceHeight, scale, DrawBackground, 4, &texture));
    QPainter p(&sheet);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    // What the board hides: black ground, the sprite frames, the empty bar.
    p.fillRect(Scaled(BoardArea, scale), Qt::black);
    p.end();
    for (int f = 0; f < SpriteFrames; ++f) {
        const QImage frame = SpriteFrame(f, scale);
        PutInto(sheet, SpriteFrameArea(f), scale, frame);
        PutInto(sheet, SpriteMaskArea(f), scale, SpriteMask(frame));
    }
    PutInto(sheet, EmptyBarArea, scale, EmptyBar(scale));
    PutInto(sheet, FullBarArea, scale, FullBar(scale));
    return sheet.convertToFormat(QImage::Format_RGB32);
}

} // namespace zk::art
