#include "art/Tiles.h"

#include "art/Art.h"
#include "art/Mounts.h"
#include "art/Pieces.h"
#include "art/Textures.h"
#include "model/Catalogue.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace zk::art {
namespace {

constexpr QPointF Centre(24.0, 24.0);

// Unit direction from the centre towards each side, in catalogue order E N W S.
constexpr std::array<QPointF, 4> Direction = {QPointF(1, 0), QPointF(0, -1), QPointF(-1, 0),
                                              QPointF(0, 1)};

QPointF EdgePoint(int side) {
    return Centre + Direction[static_cast<std::size_t>(side)] * 24.0;
}
QPointF Normal(int side) {
    const QPointF d = Direction[static_cast<std::size_t>(side)];
    return {-d.y(), d.x()};
}

double HalfWidth(int kind) {
    switch (kind) {
    case 1:
        return PipeWidth / 2;
    case 2:
        return RailWidth / 2;
    default:
        return BandWidth / 2;
    }
}

struct Layout {
    std::array<int, 4> code{};
    bool fixed = false;
    int tile = 0;
    int variant = 0; // rank among the fixed tiles with the same edges

    int Count(int kind) const {
        return static_cast<int>(std::count(code.begin(), code.end(), kind));
    }
    int ArmCount() const { return 4 - Count(0); }
    bool Mixed() const {
        int kinds = 0;
        for (int k = 1; k <= 3; ++k) {
            kinds += Count(k) > 0 ? 1 : 0;
        }
        return kinds > 1;
    }
    std::vector<int> Sides(int kind) const {
        std::vector<int> sides;
        for (int s = 0; s < 4; ++s) {
            if (code[static_cast<std::size_t>(s)] == kind) {
                sides.push_back(s);
            }
        }
        return sides;
    }
    // Exactly two arms of the kind on adjacent sides, and no other arm.
    bool Elbow(int kind) const {
        const auto s = Sides(kind);
        return ArmCount() == 2 && s.size() == 2 && (s[1] - s[0]) % 2 == 1;
    }
    bool Straight(int kind) const {
        const auto s = Sides(kind);
        return ArmCount() == 2 && s.size() == 2 && (s[1] - s[0]) == 2;
    }
    bool NeedsHub() const { return ArmCount() >= 3 || Mixed(); }
};

void StrokeArm(QPainter& p, int side, double width, const QColor& colour, double offset = 0.0,
               double from = 0.0) {
    QPen pen(colour, width, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
    p.setPen(pen);
    const QPointF n = Normal(side) * offset;
    const QPointF d = Direction[static_cast<std::size_t>(side)];
    p.drawLine(Centre + n + d * from, EdgePoint(side) + n);
}

void Disc(QPainter& p, QPointF c, double r, const QBrush& brush) {
    p.setPen(Qt::NoPen);
    p.setBrush(brush);
    p.drawEllipse(c, r, r);
}

// One layer of a kind: every arm of the kind plus a round joint at the centre.
void Layer(QPainter& p, const std::vector<int>& sides, double width, const QColor& colour) {
    for (int s : sides) {
        StrokeArm(p, s, width, colour);
    }
    if (sides.size() > 1) {
        Disc(p, Centre, width / 2, colour);
    }
}

void Shadows(QPainter& p, const Layout& l) {
    p.save();
    p.translate(0.9, 1.3);
    for (int k = 3; k >= 1; --k) {
        const auto sides = l.Sides(k);
        if (!sides.empty()) {
            Layer(p, sides, HalfWidth(k) * 2 + 0.6, QColor(0, 0, 0, l.fixed ? 110 : 80));
        }
    }
    p.restore();
}

void Grooves(QPainter& p, const Layout& l) {
    // Fixed tiles have their connections let into the stone: a dark channel.
    for (int k = 3; k >= 1; --k) {
        const auto sides = l.Sides(k);
        if (!sides.empty()) {
            Layer(p, sides, HalfWidth(k) * 2 + 3.0, QColor(38, 40, 46, 170));
        }
    }
}

// --- kind 1: the pipe ------------------------------------------------------

void DrawPipe(QPainter& p, const Layout& l) {
    const auto sides = l.Sides(1);
    Layer(p, sides, 8.0, Rgb(0x123570));
    Layer(p, sides, 6.2, Rgb(0x2468CC));
    Layer(p, sides, 3.4, Rgb(0x4A90EA));
    Layer(p, sides, 1.3, Rgb(0xC4E2FF));
    // A collar on each arm, half way, so that the pipe reads as a pipe.
    for (int s : sides) {
        const QPointF d = Direction[static_cast<std::size_t>(s)];
        const QPointF n = Normal(s);
        const QPointF c = Centre + d * 15.0;
        QPen pen(Rgb(0x123570), 2.6, Qt::SolidLine, Qt::FlatCap);
        p.setPen(pen);
        p.drawLine(c - n * 5.0, c + n * 5.0);
        p.setPen(QPen(Rgb(0x78B4F5), 1.0, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(c - n * 4.0 - d * 0.4, c + n * 4.0 - d * 0.4);
    }
}

// --- kind 2: the twin rails -------------------------------------------------

void RailPair(QPainter& p, const QPainterPath& a, const QPainterPath& b) {
    for (const auto* path : {&a, &b}) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Rgb(0x2A0508), 3.9, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
        p.drawPath(*path);
        p.setPen(QPen(Rgb(0xD0302A), 3.0, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
        p.drawPath(*path);
        p.setPen(QPen(Rgb(0xFF8A70), 1.0, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
        p.drawPath(*path);
    }
}

void DrawRails(QPainter& p, const Layout& l) {
    const auto sides = l.Sides(2);
    // The bed with its sleepers.
    Layer(p, sides, 13.0, Rgb(0x4B0F15));
    p.setPen(QPen(Rgb(0x8A3A2E), 1.8, Qt::SolidLine, Qt::FlatCap));
    for (int s : sides) {
        const QPointF d = Direction[static_cast<std::size_t>(s)];
        const QPointF n = Normal(s);
        for (double t : {9.0, 15.0, 21.0}) {
            const QPointF c = Centre + d * t;
            p.drawLine(c - n * 6.0, c + n * 6.0);
        }
    }
    constexpr double o = 4.0;
    if (l.Elbow(2)) {
        const int s1 = sides[0];
        const int s2 = sides[1];
        // Offsets chosen so that each rail keeps its side through the bend.
        QPainterPath inner, outer;
        for (double sign : {-1.0, 1.0}) {
            const QPointF n1 = Normal(s1) * (o * sign);
            // the rail at +n1 on arm 1 continues at whichever offset of arm 2
            // lies on the same side of the bend
            const QPointF d2 = Direction[static_cast<std::size_t>(s2)];
            const double side2 = (n1.x() * d2.x() + n1.y() * d2.y()) > 0 ? 1.0 : -1.0;
            const QPointF n2 = Direction[static_cast<std::size_t>(s1)] * (o * side2);
            QPainterPath& path = sign < 0 ? inner : outer;
            path.moveTo(EdgePoint(s1) + n1);
            path.lineTo(Centre + n1 + n2);
            path.lineTo(EdgePoint(s2) + n2);
        }
        RailPair(p, inner, outer);
    } else {
        for (int s : sides) {
            QPainterPath a, b;
            const double from = l.Straight(2) ? -24.0 : 0.0;
            const QPointF d = Direction[static_cast<std::size_t>(s)];
            a.moveTo(Centre + Normal(s) * o + d * from);
            a.lineTo(EdgePoint(s) + Normal(s) * o);
            b.moveTo(Centre - Normal(s) * o + d * from);
            b.lineTo(EdgePoint(s) - Normal(s) * o);
            RailPair(p, a, b);
            if (l.Straight(2)) {
                break; // one pass draws the whole straight
            }
        }
    }
}

// --- kind 3: the golden band ------------------------------------------------

void DrawBand(QPainter& p, const Layout& l) {
    const auto sides = l.Sides(3);
    Layer(p, sides, 18.0, Rgb(0x5E3F06));
    Layer(p, sides, 15.4, Rgb(0xD9A51F));
    Layer(p, sides, 10.0, Rgb(0xEDC23C));
    Layer(p, sides, 4.0, Rgb(0xFBE48A));
    // Ribs across the band every 6 px, placed so that the pattern runs on
    // across the tile edge: the band crosses the edge between two ribs.
    const bool joinAtCentre = l.Elbow(3) || l.NeedsHub() || sides.size() == 1;
    for (int s : sides) {
        const QPointF d = Direction[static_cast<std::size_t>(s)];
        const QPointF n = Normal(s);
        for (double t : {3.0, 9.0, 15.0, 21.0}) {
            if (t < 4 && joinAtCentre) {
                continue;
            }
            const QPointF c = Centre + d * t;
            p.setPen(QPen(Rgb(0x8A600C), 1.4, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(c - n * 7.4, c + n * 7.4);
            p.setPen(QPen(Rgb(0xFFF2C0), 0.8, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(c - n * 7.0 + d * 1.05, c + n * 7.0 + d * 1.05);
        }
    }
}

// --- hubs and ends ----------------------------------------------------------

void SteelBoss(QPainter& p, double r) {
    QRadialGradient g(Centre - QPointF(r * 0.35, r * 0.35), r * 1.4);
    g.setColorAt(0.0, Rgb(0xF4F6F9));
    g.setColorAt(0.55, Rgb(0xA9B0BA));
    g.setColorAt(1.0, Rgb(0x59606B));
    Disc(p, Centre, r, Rgb(0x24272D));
    Disc(p, Centre, r - 1.1, g);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Rgb(0x3A3F47), 1.0));
    p.drawEllipse(Centre, r * 0.58, r * 0.58);
    p.setPen(QPen(QColor(255, 255, 255, 120), 0.8));
    p.drawEllipse(Centre + QPointF(0.6, 0.6), r * 0.58, r * 0.58);
    QRadialGradient rivet(Centre - QPointF(1, 1), r * 0.3);
    rivet.setColorAt(0, Rgb(0xFFFFFF));
    rivet.setColorAt(1, Rgb(0x767E89));
    Disc(p, Centre, r * 0.26, rivet);
}

void ValveWheel(QPainter& p) {
    SteelBoss(p, 7.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Rgb(0x1B1E24), 3.0));
    p.drawEllipse(Centre, 10.5, 10.5);
    p.setPen(QPen(Rgb(0xB8C0CA), 1.8));
    p.drawEllipse(Centre, 10.5, 10.5);
    p.setPen(QPen(QColor(255, 255, 255, 160), 0.7));
    p.drawArc(QRectF(Centre.x() - 10.5, Centre.y() - 10.5, 21, 21), 60 * 16, 100 * 16);
    for (int i = 0; i < 4; ++i) {
        const double a = (45.0 + 90.0 * i) * std::numbers::pi / 180.0;
        const QPointF d(std::cos(a), std::sin(a));
        p.setPen(QPen(Rgb(0x1B1E24), 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(Centre + d * 7.0, Centre + d * 10.0);
        p.setPen(QPen(Rgb(0xB8C0CA), 1.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(Centre + d * 7.0, Centre + d * 10.0);
    }
}

void PipeFitting(QPainter& p) {
    Disc(p, Centre, 7.2, Rgb(0x0F2D5E));
    QRadialGradient g(Centre - QPointF(2.5, 2.5), 9);
    g.setColorAt(0, Rgb(0x9CCBFF));
    g.setColorAt(1, Rgb(0x1E5AB4));
    Disc(p, Centre, 6.0, g);
    Disc(p, Centre, 2.0, Rgb(0x0F2D5E));
}

void Turntable(QPainter& p) {
    Disc(p, Centre, 9.5, Rgb(0x2A0508));
    Disc(p, Centre, 8.4, Rgb(0x5A1219));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Rgb(0xD0302A), 2.0));
    p.drawEllipse(Centre, 6.6, 6.6);
    p.setPen(QPen(Rgb(0xFF9B88), 0.8));
    p.drawEllipse(Centre, 6.6, 6.6);
    Disc(p, Centre, 2.6, Rgb(0xD0302A));
}

void GoldMedallion(QPainter& p, int style) {
    Disc(p, Centre, 11.0, Rgb(0x5E3F06));
    QRadialGradient g(Centre - QPointF(3, 3), 14);
    g.setColorAt(0, Rgb(0xFFF3B0));
    g.setColorAt(0.5, Rgb(0xE8B830));
    g.setColorAt(1, Rgb(0x9A6A0A));
    Disc(p, Centre, 9.8, g);
    if (style == 0) {
        p.setPen(QPen(Rgb(0x7A5208), 0.9));
        p.setBrush(Rgb(0xFFE27A));
        p.drawPath(Star(Centre, 8, 7.5, 3.6, 0));
    } else if (style == 1) {
        // square plate with a ruby
        p.setPen(QPen(Rgb(0x7A5208), 1.0));
        p.setBrush(Rgb(0xF4CC50));
        p.drawRect(QRectF(Centre.x() - 6, Centre.y() - 6, 12, 12));
        QRadialGradient ruby(Centre - QPointF(1.2, 1.2), 5);
        ruby.setColorAt(0, Rgb(0xFFB0C0));
        ruby.setColorAt(1, Rgb(0x8E0A22));
        p.setBrush(ruby);
        p.setPen(QPen(Rgb(0x4A0410), 0.8));
        QPainterPath gem;
        gem.moveTo(Centre + QPointF(0, -4.2));
        gem.lineTo(Centre + QPointF(4.2, 0));
        gem.lineTo(Centre + QPointF(0, 4.2));
        gem.lineTo(Centre + QPointF(-4.2, 0));
        gem.closeSubpath();
        p.drawPath(gem);
    } else {
        // compass cross
        p.setPen(QPen(Rgb(0x7A5208), 0.8));
        p.setBrush(Rgb(0xFFF3B0));
        p.drawPath(Star(Centre, 4, 8.6, 2.4, 0));
        p.setBrush(Rgb(0xC8901A));
        p.drawPath(Star(Centre, 4, 5.5, 1.8, 45));
    }
}

void Basin(QPainter& p) {
    Disc(p, Centre, 9.6, Rgb(0x3C4048));
    QRadialGradient rim(Centre - QPointF(2, 2), 11);
    rim.setColorAt(0, Rgb(0xE6E9ED));
    rim.setColorAt(1, Rgb(0x7A808A));
    Disc(p, Centre, 8.6, rim);
    QRadialGradient water(Centre + QPointF(1.5, 1.5), 8);
    water.setColorAt(0, Rgb(0x5FA8FF));
    water.setColorAt(1, Rgb(0x0E3B8A));
    Disc(p, Centre, 6.4, water);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 170), 0.9));
    p.drawArc(QRectF(Centre.x() - 4, Centre.y() - 4, 8, 8), 100 * 16, 70 * 16);
    p.drawArc(QRectF(Centre.x() - 2, Centre.y() - 2, 4, 4), 100 * 16, 70 * 16);
}

void Crystal(QPainter& p) {
    QPainterPath outline;
    for (int i = 0; i < 8; ++i) {
        const double a = (22.5 + 45.0 * i) * std::numbers::pi / 180.0;
        const QPointF pt = Centre + QPointF(std::cos(a), std::sin(a)) * 9.5;
        i == 0 ? outline.moveTo(pt) : outline.lineTo(pt);
    }
    outline.closeSubpath();
    p.setPen(QPen(Rgb(0x0C2550), 1.2));
    QLinearGradient g(Centre - QPointF(8, 8), Centre + QPointF(8, 8));
    g.setColorAt(0, Rgb(0xD8F0FF));
    g.setColorAt(0.45, Rgb(0x4FA0F5));
    g.setColorAt(1, Rgb(0x123C88));
    p.setBrush(g);
    p.drawPath(outline);
    p.setPen(QPen(QColor(255, 255, 255, 150), 0.7));
    p.setBrush(Qt::NoBrush);
    QPainterPath facets;
    for (int i = 0; i < 8; ++i) {
        const double a = (22.5 + 45.0 * i) * std::numbers::pi / 180.0;
        const QPointF outer = Centre + QPointF(std::cos(a), std::sin(a)) * 9.5;
        const QPointF inner = Centre + QPointF(std::cos(a), std::sin(a)) * 4.5;
        facets.moveTo(outer);
        facets.lineTo(inner);
    }
    facets.addPolygon(QPolygonF({Centre + QPointF(4.16, 1.72), Centre + QPointF(1.72, 4.16),
                                 Centre + QPointF(-1.72, 4.16), Centre + QPointF(-4.16, 1.72),
                                 Centre + QPointF(-4.16, -1.72), Centre + QPointF(-1.72, -4.16),
                                 Centre + QPointF(1.72, -4.16), Centre + QPointF(4.16, -1.72),
                                 Centre + QPointF(4.16, 1.72)}));
    p.drawPath(facets);
    Disc(p, Centre + QPointF(-3, -3.5), 1.2, QColor(255, 255, 255, 220));
}

void BufferStop(QPainter& p, int side) {
    const QPointF d = Direction[static_cast<std::size_t>(side)];
    const QPointF n = Normal(side);
    // a beam across the rails' end with a red and white front
    const QPointF c = Centre - d * 2.0;
    QPolygonF beam({c - n * 9.0 - d * 2.5, c + n * 9.0 - d * 2.5, c + n * 9.0 + d * 2.5,
                    c - n * 9.0 + d * 2.5});
    p.setPen(QPen(Rgb(0x1E1E22), 1.0));
    p.setBrush(Rgb(0xF2F2F2));
    p.drawPolygon(beam);
    p.setPen(Qt::NoPen);
    p.setBrush(Rgb(0xC8201E));
    for (int i = 0; i < 3; ++i) {
        const double a = -9.0 + 6.0 * i;
        QPolygonF stripe({c + n * a - d * 2.0, c + n * (a + 3.0) - d * 2.0,
                          c + n * (a + 3.0) + d * 2.0, c + n * a + d * 2.0});
        p.drawPolygon(stripe);
    }
    // the two buffers
    for (double sgn : {-1.0, 1.0}) {
        Disc(p, c + n * (3.4 * sgn) + d * 3.8, 2.0, Rgb(0x2A2C30));
        Disc(p, c + n * (3.4 * sgn) + d * 3.8 - QPointF(0.5, 0.5), 1.0, Rgb(0xC9CED6));
    }
}

void DrawHubs(QPainter& p, const Layout& l) {
    const int t = l.tile;
    if (l.Mixed()) {
        double r = 0.0;
        for (int k = 1; k <= 3; ++k) {
            if (l.Count(k) > 0) {
                r = std::max(r, HalfWidth(k));
            }
        }
        SteelBoss(p, r + 2.0);
        return;
    }
    const int armCount = l.ArmCount();
    int kind = 0;
    for (int k = 1; k <= 3; ++k) {
        if (l.Count(k) > 0) {
            kind = k;
        }
    }
    if (kind == 0) {
        return;
    }
    if (armCount == 1) {
        const int side = l.Sides(kind)[0];
        if (kind == 1) {
            ((t >= 59 && t <= 62) || (l.fixed && l.variant % 2 == 1)) ? Crystal(p) : Basin(p);
        } else if (kind == 2) {
            BufferStop(p, side);
        } else {
            GoldMedallion(p, l.fixed ? l.variant % 3 : 0);
        }
        return;
    }
    if (armCount >= 3) {
        if (kind == 1) {
            t == 58 ? ValveWheel(p) : PipeFitting(p);
        } else if (kind == 2) {
            Turntable(p);
        } else {
            GoldMedallion(p, t == 48 ? 1 : (t == 49 ? 2 : 0));
        }
    }
}

Layout LayoutOf(int t) {
    Layout l;
    const Edges e = TileEdges(static_cast<TileNumber>(t));
    for (int s = 0; s < 4; ++s) {
        l.code[static_cast<std::size_t>(s)] = e[s];
    }
    l.fixed = !IsMovable(static_cast<TileNumber>(t));
    l.tile = t;
    if (l.fixed) {
        for (int u = LastMovableTile + 1; u < t; ++u) {
            l.variant += TileEdges(static_cast<TileNumber>(u)) == e ? 1 : 0;
        }
    }
    return l;
}

void DrawConnections(QPainter& p, const Layout& l) {
    if (l.fixed) {
        Grooves(p, l);
    }
    Shadows(p, l);
    if (l.Count(3) > 0) {
        DrawBand(p, l);
    }
    if (l.Count(2) > 0) {
        DrawRails(p, l);
    }
    if (l.Count(1) > 0) {
        DrawPipe(p, l);
    }
    DrawHubs(p, l);
}

} // namespace

QImage RenderTile(int t, double scale) {
    const Layout l = LayoutOf(t);
    QImage tile;
    if (t == 0) {
        const QImage floor = FloorTexture(0, scale);
        tile = Render(
            TileSize, TileSize, scale, [](QPainter& p) { DrawFloorRim(p); }, 4, &floor);
    } else if (!l.fixed) {
        const QImage sand = SandTexture(static_cast<std::uint32_t>(t), scale);
        tile = Render(
            TileSize, TileSize, scale,
            [&](QPainter& p) {
                DrawRaisedBevel(p);
                DrawConnections(p, l);
            },
            4, &sand);
    } else if (l.ArmCount() > 0) {
        // Tiles with the same edges differ in their stone and in how they are
        // held: bolted at the corners, or set into a carved frame.
        const QImage stone = FixedBaseTexture(t, l.variant % 3, scale);
        const bool bolted = (l.variant / 3) % 2 == 0;
        tile = Render(
            TileSize, TileSize, scale,
            [&](QPainter& p) {
                DrawStoneRim(p);
                if (bolted) {
                    DrawCornerBolts(p);
                } else {
                    DrawCarvedFrame(p);
                }
                DrawConnections(p, l);
            },
            4, &stone);
    } else {
        const FixedPiece piece = FixedPieceFor(t, scale);
        tile = Render(TileSize, TileSize, scale, piece.draw, 4, &piece.backdrop);
    }
    return Opaque(tile);
}

QImage TileSheet(double scale) {
    std::vector<QImage> tiles;
    for (int t = 0; t < TileTypeCount; ++t) {
        tiles.push_back(RenderTile(t, scale));
    }
    return TileSheetOf(tiles, scale);
}

QImage TileSheetOf(const std::vector<QImage>& tiles, double scale) {
    QImage sheet(Px(SheetColumns * TileSize, scale), Px(10 * TileSize, scale),
                 QImage::Format_RGB32);
    sheet.fill(Qt::black);
    for (std::size_t t = 0; t < tiles.size() && t < TileTypeCount; ++t) {
        const Point at = SheetCell(static_cast<TileNumber>(t));
        PutInto(sheet, QRect(at.x * TileSize, at.y * TileSize, TileSize, TileSize), scale,
                tiles[t]);
    }
    return sheet;
}

namespace {
// The palette cells of a scale at which they are not whole pixels: each
// tile's cell of the sheet smoothly brought to its palette cell's pixels.
QImage PaletteSheetScaled(const QImage& tileSheet, double scale) {
    QImage out(Px(SheetColumns * PaletteTileSize, scale), Px(10 * PaletteTileSize, scale),
               QImage::Format_RGB32);
    out.fill(Qt::black);
    for (int t = 0; t < TileTypeCount; ++t) {
        const Point at = SheetCell(static_cast<TileNumber>(t));
        const QRect small(at.x * PaletteTileSize, at.y * PaletteTileSize, PaletteTileSize,
                          PaletteTileSize);
        const QImage tile = tileSheet.copy(
            Scaled(QRect(at.x * TileSize, at.y * TileSize, TileSize, TileSize), scale));
        PutInto(out, small, scale,
                tile.scaled(Scaled(small, scale).size(), Qt::IgnoreAspectRatio,
                            Qt::SmoothTransformation));
    }
    return out;
}
} // namespace

QImage PaletteSheetFrom(const QImage& tileSheet, double scale) {
    const int cell = Px(PaletteTileSize, scale);
    if (cell != PaletteTileSize * scale) {
        return PaletteSheetScaled(tileSheet, scale);
    }
    const QImage half = Opaque(Downsample(tileSheet, 2));
    // A mild unsharp mask inside each palette cell keeps the small pictures crisp.
    QImage out = half.copy();
    const int w = half.width();
    const int h = half.height();
    for (int y = 0; y < h; ++y) {
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int cx = x % cell;
            const int cy = y % cell;
            if (cx == 0 || cy == 0 || cx == cell - 1 || cy == cell - 1) {
                continue;
            }
            const QRgb c = half.pixel(x, y);
            const QRgb n[4] = {half.pixel(x - 1, y), half.pixel(x + 1, y), half.pixel(x, y - 1),
                               half.pixel(x, y + 1)};
            auto channel = [&](int (*get)(QRgb)) {
                const int sum = get(n[0]) + get(n[1]) + get(n[2]) + get(n[3]);
                const int v = get(c) + (4 * get(c) - sum) / 6;
                return std::clamp(v, 0, 255);
            };
            dst[x] = qRgb(channel(qRed), channel(qGreen), channel(qBlue));
        }
    }
    return out;
}

QImage PaletteSheet(double scale) {
    return PaletteSheetFrom(TileSheet(scale), scale);
}

QImage ContactSheet() {
    constexpr int cellW = 56;
    constexpr int cellH = 66;
    constexpr int margin = 12;
    constexpr int header = 44;
    const QImage sheet = TileSheet(1);
    QImage out(margin * 2 + SheetColumns * cellW, header + margin + 10 * cellH,
               QImage::Format_RGB32);
    out.fill(Rgb(0x1C1F26));
    QPainter p(&out);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(Rgb(0xEDEFF3));
    p.drawPath(TextPath(QStringLiteral("Zanfor Kelva \u2014 the 200 tiles"), 17, true,
                        QPointF(margin, 26)));
    p.setBrush(Rgb(0xA9B0BC));
    p.drawPath(TextPath(QStringLiteral("movable 0\u201390 (sand, white numbers) \u00B7 fixed "
                                       "91\u2013199 (stone, blue numbers) \u00B7 kind 1 blue "
                                       "pipe \u00B7 kind 2 red twin rails \u00B7 kind 3 golden "
                                       "band"),
                        11, false, QPointF(margin, 40)));
    for (int t = 0; t < TileTypeCount; ++t) {
        const Point cell = SheetCell(static_cast<TileNumber>(t));
        const int x = margin + cell.x * cellW + (cellW - TileSize) / 2;
        const int y = header + cell.y * cellH;
        p.drawImage(x, y, sheet.copy(cell.x * TileSize, cell.y * TileSize, TileSize, TileSize));
        p.setBrush(IsMovable(static_cast<TileNumber>(t)) ? Rgb(0xF2F2F2) : Rgb(0x8CC4FF));
        p.drawPath(
            CentredTextPath(QString::number(t), 11, true, x + TileSize / 2.0, y + TileSize + 12));
    }
    p.end();
    return out;
}

} // namespace zk::art
