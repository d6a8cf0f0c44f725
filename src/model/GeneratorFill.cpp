#include "model/GeneratorFill.h"

#include <algorithm>
#include <bitset>

namespace zk::gen {

namespace {

constexpr int Opposite(int side) {
    return (side + 2) % 4;
}

int EdgeKey(const Edges& e) {
    return e[East] | e[North] << 2 | e[West] << 4 | e[South] << 6;
}

// For each edge record, the fixed tiles that show it: a movable tile can be
// turned into a fixed one with the same edges without changing the solution.
const std::array<std::vector<TileNumber>, 256>& FixedTwins() {
    static const std::array<std::vector<TileNumber>, 256> twins = [] {
        std::array<std::vector<TileNumber>, 256> out;
        for (int t = LastMovableTile + 1; t < TileTypeCount; ++t) {
            const auto tile = static_cast<TileNumber>(t);
            out[static_cast<std::size_t>(EdgeKey(TileEdges(tile)))].push_back(tile);
        }
        return out;
    }();
    return twins;
}

} // namespace

int Connections(const Edges& e) {
    int n = 0;
    for (int s = 0; s < 4; ++s) {
        n += e[s] != 0 ? 1 : 0;
    }
    return n;
}

unsigned CodesOf(const Edges& e) {
    unsigned codes = 0;
    for (int s = 0; s < 4; ++s) {
        codes |= e[s] != 0 ? 1U << e[s] : 0U;
    }
    return codes;
}

// Fixed tiles without a connection. The walls, floors and plain stones make
// the background around the play area; the ornaments (gems, emblems, tools)
// are scattered over it sparingly.
const std::vector<TileNumber> BackgroundTiles = {91,  92,  93,  98,  99,  101, 102, 106, 111, 130,
                                                 131, 138, 139, 166, 167, 176, 177, 178, 179, 192};
const std::vector<TileNumber> OrnamentTiles = {
    105, 110, 114, 115, 116, 117, 118, 119, 120, 121, 122, 123, 124, 132, 133, 134,
    135, 136, 137, 150, 151, 152, 153, 154, 155, 156, 157, 158, 159, 162, 193};

// Fixed tiles with connections, using only the given codes (bit c: code c).
std::vector<TileNumber> AnchorTiles(unsigned codes) {
    std::vector<TileNumber> out;
    for (int t = LastMovableTile + 1; t < TileTypeCount; ++t) {
        const unsigned used = CodesOf(TileEdges(static_cast<TileNumber>(t)));
        if (used != 0 && (used & ~codes) == 0) {
            out.push_back(static_cast<TileNumber>(t));
        }
    }
    return out;
}

bool CanPin(TileNumber t) {
    return t == EmptyTile || !FixedTwins()[static_cast<std::size_t>(EdgeKey(TileEdges(t)))].empty();
}

TileNumber PinnedTile(TileNumber t, TileNumber blank, Dice& dice) {
    return t == EmptyTile
               ? blank
               : dice.Pick(FixedTwins()[static_cast<std::size_t>(EdgeKey(TileEdges(t)))]);
}

Palette MakePalette(const std::array<int, 4>& codeWeight, int emptyWeight) {
    // How many tile numbers share each edge record: such tiles split their
    // weight so no shape is favoured for having several pictures.
    std::array<int, 256> sharing{};
    for (int t = 0; t <= LastMovableTile; ++t) {
        ++sharing[static_cast<std::size_t>(EdgeKey(TileEdges(static_cast<TileNumber>(t))))];
    }
    static constexpr std::array<int, 5> ByConnections = {0, 2, 9, 5, 2};
    Palette palette;
    for (int t = 0; t <= LastMovableTile; ++t) {
        const Edges e = TileEdges(static_cast<TileNumber>(t));
        int weight = 0;
        if (t == EmptyTile) {
            weight = emptyWeight * 6 * 6;
        } else {
            int sum = 0;
            int kinds = 0;
            bool allowed = true;
            for (std::size_t code = 1; code < 4; ++code) {
                if (CodesOf(e) & (1U << code)) {
                    allowed = allowed && codeWeight[code] > 0;
                    sum += codeWeight[code];
                    ++kinds;
                }
            }
            if (allowed) {
                weight = ByConnections[static_cast<std::size_t>(Connections(e))] * sum * 6 / kinds /
                         sharing[static_cast<std::size_t>(EdgeKey(e))];
            }
        }
        if (weight > 0) {
            palette.tiles.push_back(static_cast<TileNumber>(t));
            palette.weights.push_back(weight);
        }
    }
    return palette;
}

// Fills the movable cells row by row with tiles from the palette so that the
// whole board is solved, backtracking where a choice leads nowhere.
bool FillArea(LevelRecord& level, const Area& area, const Palette& palette, Dice& dice) {
    std::vector<std::size_t> cells;
    std::array<int, CellCount> order{};
    order.fill(-1);
    for (int r = 0; r < Rows; ++r) {
        for (int c = 0; c < Columns; ++c) {
            if (area[At(c, r)]) {
                order[At(c, r)] = static_cast<int>(cells.size());
                cells.push_back(At(c, r));
            }
        }
    }
    // Per side and code, the palette tiles that show it there.
    using TileSet = std::bitset<LastMovableTile + 1>;
    std::array<std::array<TileSet, 4>, 4> showing{};
    for (std::size_t k = 0; k < palette.tiles.size(); ++k) {
        const Edges e = TileEdges(palette.tiles[k]);
        for (int s = 0; s < 4; ++s) {
            showing[static_cast<std::size_t>(s)][e[s]].set(k);
        }
    }
    // The tiles that fit a cell, with their weights; each choice is drawn
    // from those not tried yet.
    std::vector<std::vector<std::size_t>> fitting(cells.size());
    std::vector<std::vector<int>> weights(cells.size());
    const auto prepare = [&](std::size_t i) {
        const int c = static_cast<int>(cells[i]) / Rows;
        const int r = static_cast<int>(cells[i]) % Rows;
        // What each side must show; nothing is asked toward a movable cell
        // not filled yet.
        TileSet fits;
        fits.set();
        for (int s = 0; s < 4; ++s) {
            const int nc = c + ColumnStep[s];
            const int nr = r + RowStep[s];
            if (!IsOnBoard(nc, nr)) {
                fits &= showing[static_cast<std::size_t>(s)][0];
            } else if (!area[At(nc, nr)] || order[At(nc, nr)] < static_cast<int>(i)) {
                fits &=
                    showing[static_cast<std::size_t>(s)][TileEdges(level[At(nc, nr)])[Opposite(s)]];
            }
        }
        fitting[i].clear();
        weights[i].clear();
        for (std::size_t k = 0; k < palette.tiles.size(); ++k) {
            if (fits.test(k)) {
                fitting[i].push_back(k);
                weights[i].push_back(palette.weights[k]);
            }
        }
    };

    std::size_t i = 0;
    int steps = 0;
    if (!cells.empty()) {
        prepare(0);
    }
    while (i < cells.size()) {
        if (++steps > 4000) {
            return false;
        }
        const int pick = dice.Weighted(weights[i]);
        if (pick < 0) {
            if (i == 0) {
                return false;
            }
            --i;
            continue;
        }
        weights[i][static_cast<std::size_t>(pick)] = 0;
        level[cells[i]] = palette.tiles[fitting[i][static_cast<std::size_t>(pick)]];
        ++i;
        if (i < cells.size()) {
            prepare(i);
        }
    }
    return true;
}

bool PlaceAnchor(LevelRecord& level, Area& area, std::vector<std::size_t>& anchors,
                 const std::vector<TileNumber>& tiles, Dice& dice) {
    for (int attempt = 0; attempt < 60; ++attempt) {
        const int c = dice.Below(Columns);
        const int r = dice.Below(Rows);
        bool nearArea = area[At(c, r)];
        bool nearAnchor = false;
        for (int s = 0; s < 4; ++s) {
            const int nc = c + ColumnStep[s];
            const int nr = r + RowStep[s];
            if (IsOnBoard(nc, nr)) {
                nearArea = nearArea || area[At(nc, nr)];
                nearAnchor = nearAnchor ||
                             std::find(anchors.begin(), anchors.end(), At(nc, nr)) != anchors.end();
            }
        }
        if (!nearArea || nearAnchor ||
            std::find(anchors.begin(), anchors.end(), At(c, r)) != anchors.end()) {
            continue;
        }
        const TileNumber t = dice.Pick(tiles);
        const Edges e = TileEdges(t);
        bool fits = true;
        for (int s = 0; s < 4 && fits; ++s) {
            const int nc = c + ColumnStep[s];
            const int nr = r + RowStep[s];
            // Every connection of the anchor leads into the movable area.
            fits = e[s] == 0 || (IsOnBoard(nc, nr) && area[At(nc, nr)]);
        }
        if (!fits) {
            continue;
        }
        area[At(c, r)] = false;
        level[At(c, r)] = t;
        anchors.push_back(At(c, r));
        return true;
    }
    return false;
}

} // namespace zk::gen
