// The level file as read at start-up: any bytes, any length. Every complete
// record up to the 500th is taken as it is, and every level read can be
// prepared, played, stored and saved again without a lookup leaving its table.
#include <algorithm>
#include <cstring>

#include "FuzzSupport.h"
#include "files/LevelFile.h"
#include "model/Board.h"
#include "model/Catalogue.h"
#include "model/GameState.h"
#include "model/Random.h"

using namespace zk;

namespace {

int CountMovable(const LevelRecord& r) {
    return static_cast<int>(std::count_if(r.begin(), r.end(), IsMovable));
}

// What the board view and the rules ask of a tile, for every cell.
void TouchEveryLookup(const LevelRecord& cells) {
    for (TileNumber t : cells) {
        const Edges e = TileEdges(t);
        if (t >= TileTypeCount) {
            ZK_REQUIRE(e == Edges{});
        }
        const Point anchor = SpriteAnchor(t);
        ZK_REQUIRE(anchor.x >= 0 && anchor.x + 20 <= 48 && anchor.y >= 0 && anchor.y + 20 <= 48);
        if (HasPicture(t)) {
            const Point cell = SheetCell(t);
            ZK_REQUIRE(cell.x >= 0 && cell.x < SheetColumns && cell.y >= 0 &&
                       cell.y < TileTypeCount / SheetColumns);
        }
    }
}

// A level as the player meets it: scrambled, a tile held, every cell clicked.
void Play(const LevelRecord& level, std::uint64_t seed) {
    RandomSource random(seed);
    Board board;
    board.Prepare(level, ChallengeMode, random);
    for (int i = 0; i < CellCount; ++i) {
        // The scramble only exchanges movable tiles.
        ZK_REQUIRE(IsMovable(level[i]) == IsMovable(board.cells[i]));
        if (!IsMovable(level[i])) {
            ZK_REQUIRE(board.cells[i] == level[i]);
        }
    }
    auto sorted = [](LevelRecord r) {
        std::sort(r.begin(), r.end());
        return r;
    };
    ZK_REQUIRE(sorted(board.cells) == sorted(level));
    const bool anyHoldable = std::any_of(level.begin(), level.end(), IsHoldable);
    ZK_REQUIRE(board.hasHeld == anyHoldable);
    if (board.hasHeld) {
        ZK_REQUIRE(IsOnBoard(board.held.column, board.held.row));
        ZK_REQUIRE(IsHoldable(board.HeldTile()));
    }
    TouchEveryLookup(board.cells);
    for (int c = -1; c <= Columns; ++c) {
        for (int r = -1; r <= Rows; ++r) {
            const TileNumber held = board.hasHeld ? board.HeldTile() : 0;
            const MoveResult move = board.SwapWithHeld(c, r);
            if (move.moved) {
                ZK_REQUIRE(board.HeldTile() == held);
                ZK_REQUIRE(board.held == (Cell{c, r}));
            }
            (void)board.IsSolved();
        }
    }
    ZK_REQUIRE(sorted(board.cells) == sorted(level));
    ZK_REQUIRE(CountMovable(board.cells) == CountMovable(level));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto& scratch = fuzz::Scratch();
    const std::string path = scratch.Put(files::LevelFileName, data, size);

    const files::LevelFileContents contents = files::ReadLevelFile(path);
    const std::size_t complete = std::min<std::size_t>(size / files::LevelRecordSize, MaxLevels);
    ZK_REQUIRE(contents.levels.size() == complete);
    for (std::size_t k = 0; k < complete; ++k) {
        ZK_REQUIRE(std::memcmp(contents.levels[k].data(), data + k * files::LevelRecordSize,
                               files::LevelRecordSize) == 0);
    }
    ZK_REQUIRE(complete == 0 ? contents.error == files::ShortFileError : contents.error == 0);

    GameState state;
    state.language = size % 2 == 0 ? English : German;
    const auto message = files::LoadLevels(state, scratch.Path());
    ZK_REQUIRE(message.has_value() == (complete == 0));
    ZK_REQUIRE(state.levels.LevelCount() == static_cast<int>(std::max<std::size_t>(complete, 1)));

    // Two levels picked by the bytes themselves, so the fuzzer steers which.
    const int count = state.levels.LevelCount();
    std::uint64_t seed = size;
    for (std::size_t i = 0; i < std::min<std::size_t>(size, 8); ++i) {
        seed = seed * 131 + data[i];
    }
    for (int pick = 0; pick < 2; ++pick) {
        const int n =
            1 + static_cast<int>((seed >> (pick * 16)) % static_cast<std::uint64_t>(count));
        const LevelRecord& level = state.levels.LevelAt(n);
        TouchEveryLookup(level);
        (void)IsSolved(level);
        Play(level, seed + static_cast<std::uint64_t>(pick));
    }

    // The editor's level operations with any current level the settings held.
    state.levels.SetCurrentLevel(static_cast<int>(seed % 1003) - 500);
    if (state.levels.InsertLevel(state.board.cells)) {
        ZK_REQUIRE(state.levels.HasCurrentLevel());
        ZK_REQUIRE(state.levels.LevelAt(state.levels.CurrentLevel()) == LevelRecord{});
    }
    ZK_REQUIRE(state.levels.DeleteLevel());
    ZK_REQUIRE(state.levels.LevelCount() >= 1 && state.levels.LevelCount() <= MaxLevels);
    ZK_REQUIRE(state.levels.HasCurrentLevel());
    (void)state.levels.FindNextUnsolved();
    (void)state.levels.FindPreviousUnsolved();

    // Written back whole and read again, the levels are the same.
    if (seed % 8 == 0) {
        const std::vector<LevelRecord> levels = state.levels.Levels();
        ZK_REQUIRE(!files::SaveLevels(state, scratch.Path()).has_value());
        ZK_REQUIRE(files::ReadLevelFile(path).levels == levels);
    }
    return 0;
}
