// The level indicator's digit strip: LED dot digits and two faces.
#include "art/Glyphs.h"

#include "art/GlyphArt.h"

#include <array>
#include <cmath>
#include <vector>

namespace zk::art {
namespace {

constexpr std::array<int, 10> Segments = {
    0b0111111, // 0: a b c d e f
    0b0000110, // 1: b c
    0b1011011, // 2: a b d e g
    0b1001111, // 3: a b c d g
    0b1100110, // 4: b c f g
    0b1101101, // 5: a c d f g
    0b1111101, // 6: a c d e f g
    0b0000111, // 7: a b c
    0b1111111, // 8
    0b1101111, // 9: a b c d f g
};

// The dot grid of a digit: 4 columns (x0 + 2, 4, 6, 8) by 9 rows (y 2, 4,
// ..., 18). A segment lights the dots along its side of the grid, corners
// included, so neighbouring segments share their corner dots.
bool SegmentDot(int segment, int col, int row) {
    switch (segment) {
    case 0: // a, top
        return row == 0;
    case 1: // b, upper right
        return col == 3 && row <= 4;
    case 2: // c, lower right
        return col == 3 && row >= 4;
    case 3: // d, bottom
        return row == 8;
    case 4: // e, lower left
        return col == 0 && row >= 4;
    case 5: // f, upper left
        return col == 0 && row <= 4;
    default: // g, middle
        return row == 4;
    }
}

// Lit dots are bright yellow with a dim glow around them, like the dots of an
// LED display; the glow never leaves the digit's cell. A dot lies on a unit
// pixel of the grid; drawn at `scale`, its core is the round patch of pixels
// within 0.45 units of the dot's centre and its glow the patch within 1.05
// units, so at scale 1 the core is the one pixel and the glow its four
// sides, and at larger scales both are round.
void DigitDots(QImage& strip, int digit, int x0, double scale) {
    const int s = Segments[static_cast<std::size_t>(digit)];
    std::vector<QPointF> dots; // centres, in pixels
    for (int row = 0; row < 9; ++row) {
        for (int col = 0; col < 4; ++col) {
            bool on = false;
            for (int seg = 0; seg < 7; ++seg) {
                on = on || (((s >> seg) & 1) != 0 && SegmentDot(seg, col, row));
            }
            if (on) {
                dots.emplace_back((x0 + 2 + col * 2 + 0.5) * scale, (2 + row * 2 + 0.5) * scale);
            }
        }
    }
    auto light = [&](double radius, QRgb colour) {
        const double r = radius * scale;
        for (const QPointF& d : dots) {
            const int reach = static_cast<int>(r) + 1;
            const int cx = static_cast<int>(d.x());
            const int cy = static_cast<int>(d.y());
            for (int y = cy - reach; y <= cy + reach; ++y) {
                for (int x = cx - reach; x <= cx + reach; ++x) {
                    if (std::hypot(x + 0.5 - d.x(), y + 0.5 - d.y()) <= r) {
                        strip.setPixel(x, y, colour);
                    }
                }
            }
        }
    };
    light(1.05, qRgb(128, 100, 0));
    light(0.45, qRgb(255, 230, 0));
}

// The face fills exactly `pixels`, the place its 13 x 20 units take in the strip.
QImage Face(bool happy, QSize pixels, double scale) {
    return RenderInto(pixels, 13, 20, scale, [happy](QPainter& p) {
        const QPointF c(6.5, 10);
        const QColor fill = happy ? Rgb(0xFFE600) : Rgb(0xE8221E);
        const QColor rim = happy ? Rgb(0x8A6A00) : Rgb(0x6A0A08);
        p.setPen(QPen(rim, 0.9));
        p.setBrush(fill);
        p.drawEllipse(c, 5.9, 5.9);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 120));
        p.drawEllipse(QPointF(4.6, 7.2), 1.6, 1.0);
        p.setBrush(Ink);
        p.drawEllipse(QPointF(4.5, 8.4), 1.0, 1.4);
        p.drawEllipse(QPointF(8.5, 8.4), 1.0, 1.4);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Ink, 1.0, Qt::SolidLine, Qt::RoundCap));
        if (happy) {
            p.drawArc(QRectF(3.3, 8.0, 6.4, 5.4), 200 * 16, 140 * 16);
        } else {
            p.drawArc(QRectF(3.6, 12.2, 5.8, 4.4), 30 * 16, 120 * 16);
        }
    });
}

} // namespace

int DigitSegments(int digit) {
    return Segments[static_cast<std::size_t>(digit % 10)];
}

QImage DigitStrip(double scale) {
    QImage strip(Px(148, scale), Px(20, scale), QImage::Format_RGB32);
    strip.fill(Qt::black);
    for (int d = 0; d < 10; ++d) {
        DigitDots(strip, d, 11 * d, scale);
    }
    QPainter p(&strip);
    const QRect solved = Scaled(QRect(122, 0, 13, 20), scale);
    const QRect unsolved = Scaled(QRect(135, 0, 13, 20), scale);
    p.drawImage(solved.topLeft(), Face(true, solved.size(), scale));
    p.drawImage(unsolved.topLeft(), Face(false, unsolved.size(), scale));
    p.end();
    return strip;
}

} // namespace zk::art
