// One level as the player meets it: any 63 bytes as the level, the bytes
// after them as the seed of the scramble. The scramble moves movable tiles
// only and keeps every tile's count, the held tile is holdable and travels
// with every move, clicks on every cell and beyond the border stay safe, and
// no level however strange makes the preparation hang.
#include <algorithm>
#include <cstring>

#include "FuzzSupport.h"
#include "model/Board.h"
#include "model/Catalogue.h"
#include "model/Random.h"

using namespace zk;

namespace {

int CountMovable(const LevelRecord& r) {
    return static_cast<int>(std::count_if(r.begin(), r.end(), IsMovable));
}

LevelRecord Sorted(LevelRecord r) {
    std::sort(r.begin(), r.end());
    return r;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    LevelRecord level{};
    std::memcpy(level.data(), data, std::min<std::size_t>(size, CellCount));
    std::uint64_t seed = 0;
    for (std::size_t i = CellCount; i < size; ++i) {
        seed = seed * 257 + data[i];
    }

    RandomSource random(seed);
    Board board;
    board.Prepare(level, seed % 2 == 0 ? ChallengeMode : PracticeMode, random);
    for (int i = 0; i < CellCount; ++i) {
        ZK_REQUIRE(IsMovable(level[i]) == IsMovable(board.cells[i]));
        if (!IsMovable(level[i])) {
            ZK_REQUIRE(board.cells[i] == level[i]);
        }
    }
    ZK_REQUIRE(Sorted(board.cells) == Sorted(level));
    ZK_REQUIRE(board.hasHeld == std::any_of(level.begin(), level.end(), IsHoldable));
    if (board.hasHeld) {
        ZK_REQUIRE(IsOnBoard(board.held.column, board.held.row));
        ZK_REQUIRE(IsHoldable(board.HeldTile()));
    }

    for (int c = -1; c <= Columns; ++c) {
        for (int r = -1; r <= Rows; ++r) {
            const TileNumber held = board.hasHeld ? board.HeldTile() : 0;
            const Cell before = board.held;
            const MoveResult move = board.SwapWithHeld(c, r);
            if (move.moved) {
                ZK_REQUIRE(board.HeldTile() == held);
                ZK_REQUIRE(board.held == (Cell{c, r}));
                ZK_REQUIRE(move.previousHeld == before);
            } else {
                ZK_REQUIRE(board.held == before);
            }
            (void)board.IsSolved();
        }
    }
    ZK_REQUIRE(Sorted(board.cells) == Sorted(level));
    ZK_REQUIRE(CountMovable(board.cells) == CountMovable(level));

    // The editor shows the level as it is, the held cell untouched.
    Board editing = board;
    editing.Prepare(level, EditorMode, random);
    ZK_REQUIRE(editing.cells == level);
    ZK_REQUIRE(editing.held == board.held);
    return 0;
}
