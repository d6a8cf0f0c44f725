#include "model/Catalogue.h"

#include <string_view>

namespace zk {
namespace {

// Four digits per tile, E N W S, ten tiles a row.
constexpr std::string_view EdgeTable[20] = {
    "0000 0101 1010 1111 1100 0110 0011 1001 0102 0201",
    "2010 1020 0202 2020 2222 2121 1212 2200 1200 2100",
    "0220 0210 0120 0022 0012 0021 2002 1002 2001 3030",
    "0303 3131 1313 3333 3300 0330 0033 3003 0010 1000",
    "0100 0001 0313 3031 1303 3130 3232 2323 3333 3333",
    "3310 3013 1330 1033 3301 0331 3103 0133 1111 1000",
    "0100 0010 0001 1110 0111 1011 1101 1310 0131 1013",
    "3101 3330 0333 3033 3303 1133 3113 3311 1331 1130",
    "1103 0113 3110 3011 0311 1301 1031 3111 1311 1131",
    "1113 0000 0000 0000 1010 0101 2020 0202 0000 0000",
    "0010 0000 0000 0300 3330 0000 0000 2020 2020 2020",
    "0000 0000 1000 3000 0000 0000 0000 0000 0000 0000",
    "0000 0000 0000 0000 0000 0001 3000 0202 0202 0202",
    "0000 0000 0000 0000 0000 0000 0000 0000 0000 0000",
    "0300 0030 0003 3000 3030 0303 0300 0003 0030 3000",
    "0000 0000 0000 0000 0000 0000 0000 0000 0000 0000",
    "3000 0030 0000 0003 3030 0300 0000 0000 2020 0202",
    "3030 0303 3300 0330 0033 3003 0000 0000 0000 0000",
    "0030 0303 3030 3000 0300 0003 1100 0110 0011 1001",
    "0101 1010 0000 0000 0303 3030 0000 0000 0000 0000",
};

constexpr std::array<Edges, TileTypeCount> BuildEdges() {
    std::array<Edges, TileTypeCount> edges{};
    for (int row = 0; row < 20; ++row) {
        for (int i = 0; i < 10; ++i) {
            Edges e;
            for (int side = 0; side < 4; ++side) {
                e.code[static_cast<std::size_t>(side)] = static_cast<EdgeCode>(
                    EdgeTable[row][static_cast<std::size_t>(i * 5 + side)] - '0');
            }
            edges[static_cast<std::size_t>(row * 10 + i)] = e;
        }
    }
    return edges;
}

constexpr std::array<Edges, TileTypeCount> Catalogue = BuildEdges();

struct AnchorGroup {
    Point anchor;
    std::array<int, 9> tiles;
    int count;
};

constexpr AnchorGroup AnchorGroups[] = {
    {{19, 7}, {4, 17, 18, 19, 34, 52, 56, 79, 80}, 9},
    {{7, 7}, {5, 20, 21, 22, 35, 50, 57, 81, 82}, 9},
    {{7, 19}, {6, 23, 24, 25, 36, 51, 55, 83, 84}, 9},
    {{19, 19}, {7, 26, 27, 28, 37, 53, 54, 85, 86}, 9},
    {{7, 13}, {42}, 1},
    {{13, 19}, {43}, 1},
    {{19, 13}, {44}, 1},
    {{13, 7}, {45}, 1},
};

constexpr std::array<Point, TileTypeCount> BuildAnchors() {
    std::array<Point, TileTypeCount> anchors{};
    for (auto& a : anchors) {
        a = {13, 13};
    }
    for (const auto& group : AnchorGroups) {
        for (int i = 0; i < group.count; ++i) {
            anchors[static_cast<std::size_t>(group.tiles[static_cast<std::size_t>(i)])] =
                group.anchor;
        }
    }
    return anchors;
}

constexpr std::array<Point, TileTypeCount> Anchors = BuildAnchors();

} // namespace

Edges TileEdges(TileNumber t) {
    return HasPicture(t) ? Catalogue[t] : Edges{};
}

Point SpriteAnchor(TileNumber t) {
    return HasPicture(t) ? Anchors[t] : Point{13, 13};
}

} // namespace zk
