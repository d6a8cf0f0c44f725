#include "art/Pieces.h"

#include "art/Mounts.h"
#include "art/Ornaments.h"
#include "art/Shapes.h"
#include "art/Textures.h"

namespace zk::art {
namespace {

// --- grounds --------------------------------------------------------------------

enum class GroundKind {
    Slab,
    Stone,
    MossyStone,
    Bricks,
    Cobbles,
    MossyCobbles,
    Hexes,
    Marble,
    Planks,
    Mosaic
};

// The texture a piece is drawn on. A slab's grain is seeded by the tile
// number, like the slabs of the tiles with connections; every other ground
// by the piece's own seed.
struct Ground {
    GroundKind kind = GroundKind::Slab;
    Tone tone = Tone::Granite;
    std::uint32_t a = 0, b = 0; // bricks: the two brick colours
    std::uint32_t mortar = 0;   // bricks, cobbles: the joints; marble: the veins
    int rowHeight = 0;          // bricks: course height; cobbles: cell size
    int brickLength = 0;
    double size = 9.0; // stone: size of the mottling; cobbles: jitter
};

constexpr Ground Slab(Tone tone) {
    return {GroundKind::Slab, tone};
}
constexpr Ground Stone(Tone tone, double size = 9.0) {
    return {.kind = GroundKind::Stone, .tone = tone, .size = size};
}
constexpr Ground MossyStone(Tone tone) {
    return {GroundKind::MossyStone, tone};
}
constexpr Ground Bricks(std::uint32_t a, std::uint32_t b, std::uint32_t mortar, int rowHeight,
                        int brickLength) {
    return {GroundKind::Bricks, Tone::Granite, a, b, mortar, rowHeight, brickLength};
}
constexpr Ground Cobbles(Tone tone, std::uint32_t mortar, int cell, double jitter,
                         bool mossy = false) {
    return {.kind = mossy ? GroundKind::MossyCobbles : GroundKind::Cobbles,
            .tone = tone,
            .mortar = mortar,
            .rowHeight = cell,
            .size = jitter};
}
constexpr Ground Hexes(Tone tone) {
    return {GroundKind::Hexes, tone};
}
constexpr Ground MarbleSlab(Tone tone, std::uint32_t vein) {
    return {.kind = GroundKind::Marble, .tone = tone, .mortar = vein};
}
constexpr Ground Planks() {
    return {GroundKind::Planks};
}
constexpr Ground Mosaic() {
    return {GroundKind::Mosaic};
}

QImage GroundTexture(const Ground& g, int tile, std::uint32_t seed, double scale) {
    switch (g.kind) {
    case GroundKind::Slab:
        return StoneTexture(U32(tile), g.tone, scale);
    case GroundKind::Stone:
        return StoneTexture(seed, g.tone, scale, g.size);
    case GroundKind::MossyStone:
        return MossTexture(seed, StoneTexture(seed, g.tone, scale), scale);
    case GroundKind::Bricks:
        return BrickTexture(seed, Rgb(g.a), Rgb(g.b), Rgb(g.mortar), g.rowHeight, g.brickLength,
                            scale);
    case GroundKind::Cobbles:
        return CobbleTexture(seed, g.rowHeight, g.tone, Rgb(g.mortar), g.size, scale);
    case GroundKind::MossyCobbles:
        return MossTexture(
            seed, CobbleTexture(seed, g.rowHeight, g.tone, Rgb(g.mortar), g.size, scale), scale);
    case GroundKind::Hexes:
        return HexTexture(seed, g.tone, scale);
    case GroundKind::Marble:
        return MarbleTexture(seed, g.tone, Rgb(g.mortar), scale);
    case GroundKind::Planks:
        return PlankTexture(seed, scale);
    case GroundKind::Mosaic:
        return MosaicTexture(seed, scale);
    }
    return {};
}

// --- frames ---------------------------------------------------------------------

enum class Frame {
    None,        // the ornament alone
    Wall,        // the ground's relief, the ornament, then a faint outline
    Rim,         // a chiselled rim, then the ornament
    Bolted,      // a chiselled rim and corner bolts, then the ornament
    ThinRim,     // a narrow rim, then the ornament
    BoltedPlate, // the ornament, then a narrow rim and corner bolts over it
};

// A recessed round panel under the ornament; radius 0 for none.
struct Panel {
    double radius = 0;
    std::uint32_t floor = 0;
};

struct Piece {
    int tile;
    Ground ground;
    Frame frame;
    Ornament ornament = nullptr;
    Detail detail{};
    Panel panel{};
};

using enum Tone;

// The 55 fixed tiles without connections: walls, floors and stones,
// ornaments, four stairs and a round mosaic over 2 x 2 tiles.
const Piece Pieces[] = {
    {91, Bricks(0x8E5F4A, 0xA8755A, 0xB2AA9C, 12, 24), Frame::Wall},
    {92, Bricks(0x858990, 0xA2A6AC, 0x4E5158, 16, 32), Frame::Wall},
    {93, Bricks(0x4D4A48, 0x67625C, 0x8E8A82, 8, 16), Frame::Wall},
    {98, Cobbles(Granite, 0x4A4640, 12, 0.7), Frame::Wall},
    {99, Cobbles(Sandstone, 0x5A5246, 16, 0.9), Frame::Wall},
    {101, Slab(Granite), Frame::Rim, Crack},
    {102, MossyStone(Granite), Frame::Rim},
    {105, Slab(Granite), Frame::Bolted, Rosette, {{0xA7AAB0}}},
    {106, MarbleSlab(WhiteMarble, 0x8E8C88), Frame::ThinRim},
    {110, Slab(Slate), Frame::Bolted, Grate},
    {111, Stone(Steel, 14.0), Frame::BoltedPlate, CheckerPlates},
    {114, Slab(Granite), Frame::Rim, Pillar, {.tone = WhiteMarble}},
    {115, Slab(Granite), Frame::Rim, Well},
    {116, Stone(Granite), Frame::ThinRim, Bush, {.n = 0}},
    {117, Stone(Sandstone), Frame::ThinRim, Bush, {.n = 1}},
    {118, Slab(Granite), Frame::Bolted, Gem, {{0xFFB6C4, 0xD21F44, 0x5E0618}, 0}},
    {119, Slab(Slate), Frame::Bolted, Gem, {{0xC8E6FF, 0x2A6FE0, 0x0A2260}, 1}},
    {120, Slab(Sandstone), Frame::Bolted, Gem, {{0xC8FFD8, 0x1FA855, 0x064A22}, 0}},
    {121, Slab(Slate), Frame::Bolted, GoldStar, {.n = 5}, {16, 0x3C3F46}},
    {122, Slab(Sandstone), Frame::Bolted, Compass, {}, {16.5, 0xD8CCB4}},
    {123, Slab(Sandstone), Frame::Rim, SunDisc, {{0xD8C39A}}},
    {124, Slab(Slate), Frame::Bolted, Moon, {}, {16.5, 0x1C2440}},
    {130, Bricks(0x7A7C80, 0x979A9F, 0xC2BFB8, 12, 24), Frame::Wall},
    {131, Bricks(0xA89A80, 0xC4B79C, 0x6A6050, 16, 24), Frame::Wall},
    {132, Mosaic(), Frame::ThinRim},
    {133, Slab(Granite), Frame::Bolted, KnotRings, {{0xC9CDD3}}, {17, 0x6B6F77}},
    {134, Slab(Granite), Frame::Rim, Runes},
    {135, Slab(Granite), Frame::Bolted, Shield, {{0x2452A6, 0xF0E6C8}}},
    {136, Slab(Sandstone), Frame::Bolted, Shield, {{0xA82424, 0xF2D060}}},
    {137, Slab(Sandstone), Frame::Rim, Spiral, {{0x5E5444}}},
    {138, Hexes(Slate), Frame::Wall},
    {139, MarbleSlab(GreenMarble, 0xDCE6DE), Frame::ThinRim},
    {150, Slab(Slate), Frame::Rim, Pyramid, {.tone = Sandstone}},
    {151, Slab(Slate), Frame::Rim, Brazier},
    {152, Slab(Granite), Frame::Rim, Keyhole},
    {153, Slab(Slate), Frame::Bolted, Sword, {}, {17, 0x4A3A2E}},
    {154, Slab(Granite), Frame::Bolted, Crown, {}, {17, 0x5A1E3A}},
    {155, Slab(Sandstone), Frame::Bolted, Hourglass},
    {156, Slab(Granite), Frame::Bolted, Bell, {}, {17, 0x3A3F4A}},
    {157, Slab(Slate), Frame::Bolted, Lantern},
    {158, Slab(Sandstone), Frame::Bolted, Key, {}, {17, 0x5E5040}},
    {159, Planks(), Frame::None, Crate},
    {162, Slab(Granite), Frame::Rim, Barrel},
    {166, Cobbles(Slate, 0x3A3832, 12, 0.8, true), Frame::Wall},
    {167, Slab(Slate), Frame::Rim, Crack},
    {176, Slab(Granite), Frame::Rim, Stairs, {.n = 0}},
    {177, Slab(Granite), Frame::Rim, Stairs, {.n = 1}},
    {178, Slab(Granite), Frame::Rim, Stairs, {.n = 2}},
    {179, Slab(Granite), Frame::Rim, Stairs, {.n = 3}},
    {192, Bricks(0xA99574, 0xC2AD88, 0x7E7466, 8, 24), Frame::Wall},
    {193, Slab(Slate), Frame::Rim, Pillar, {.tone = Sandstone}},
    {196, Slab(Granite), Frame::Bolted, MosaicQuarter, {.n = 0}},
    {197, Slab(Granite), Frame::Bolted, MosaicQuarter, {.n = 1}},
    {198, Slab(Granite), Frame::Bolted, MosaicQuarter, {.n = 2}},
    {199, Slab(Granite), Frame::Bolted, MosaicQuarter, {.n = 3}},
};

// A plain bolted slab, for numbers without a row.
const Piece PlainSlab{0, Slab(Granite), Frame::Bolted};

void DrawOrnament(QPainter& p, const Piece& piece, std::uint32_t seed) {
    if (piece.panel.radius > 0) {
        DrawPanel(p, piece.panel.radius, Rgb(piece.panel.floor));
    }
    if (piece.ornament != nullptr) {
        piece.ornament(p, piece.detail, seed);
    }
}

FixedPiece Build(const Piece& piece, int t, double scale) {
    const std::uint32_t seed = U32(t) * 101u;
    return {GroundTexture(piece.ground, t, seed, scale), [&piece, seed](QPainter& p) {
                switch (piece.frame) {
                case Frame::None:
                    DrawOrnament(p, piece, seed);
                    break;
                case Frame::Wall:
                    if (piece.ground.kind == GroundKind::Bricks) {
                        DrawBrickRelief(p, piece.ground.rowHeight, piece.ground.brickLength);
                    }
                    DrawOrnament(p, piece, seed);
                    // a faint outline so that a wall piece still reads as one tile
                    p.setPen(QPen(QColor(0, 0, 0, 40), 1.0));
                    p.setBrush(Qt::NoBrush);
                    p.drawRect(QRectF(0.5, 0.5, 47, 47));
                    break;
                case Frame::Rim:
                case Frame::Bolted:
                    DrawStoneRim(p);
                    if (piece.frame == Frame::Bolted) {
                        DrawCornerBolts(p);
                    }
                    DrawOrnament(p, piece, seed);
                    break;
                case Frame::ThinRim:
                    DrawStoneRim(p, 2.0);
                    DrawOrnament(p, piece, seed);
                    break;
                case Frame::BoltedPlate:
                    DrawOrnament(p, piece, seed);
                    DrawStoneRim(p, 2.0);
                    DrawCornerBolts(p);
                    break;
                }
            }};
}

} // namespace

FixedPiece FixedPieceFor(int t, double scale) {
    for (const Piece& piece : Pieces) {
        if (piece.tile == t) {
            return Build(piece, t, scale);
        }
    }
    return Build(PlainSlab, t, scale);
}

} // namespace zk::art
