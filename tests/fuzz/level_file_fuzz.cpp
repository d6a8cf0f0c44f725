// The level file as read at start-up: any bytes, any length. Every complete
// record up to the 500th is taken as it is, every tile of a level can be
// looked up, the editor's level operations work on whatever set was read, and
// the set written back reads as the same levels. The round trips run in
// memory; every eighth input also goes through a file on disk, as start-up
// and the editor's Save do. A level in play is the board target's.
#include <algorithm>
#include <cstring>

#include "FuzzSupport.h"
#include "files/LevelFile.h"
#include "model/Board.h"
#include "model/Catalogue.h"
#include "model/GameState.h"

using namespace zk;

namespace {

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> input(data, size);
    const std::vector<LevelRecord> parsed = files::ParseLevelRecords(input);
    const std::size_t complete = std::min<std::size_t>(size / files::LevelRecordSize, MaxLevels);
    ZK_REQUIRE(parsed.size() == complete);
    const std::vector<std::uint8_t> bytes = files::LevelFileBytes(parsed);
    ZK_REQUIRE(bytes.size() == complete * files::LevelRecordSize);
    ZK_REQUIRE(std::equal(bytes.begin(), bytes.end(), data));
    ZK_REQUIRE(files::ParseLevelRecords(bytes) == parsed);

    std::uint64_t seed = size;
    for (std::size_t i = 0; i < std::min<std::size_t>(size, 8); ++i) {
        seed = seed * 131 + data[i];
    }
    const bool onDisk = seed % 8 == 0;

    GameState state;
    state.language = size % 2 == 0 ? English : German;
    const std::string& directory = fuzz::Scratch().Path();
    if (onDisk) {
        // Start-up's reading, through the file.
        const std::string path = fuzz::Scratch().Put(files::LevelFileName, data, size);
        ZK_REQUIRE(files::LocateLevelFile(directory).path == path);
        const files::LevelFileContents contents = files::ReadLevelFile(path);
        ZK_REQUIRE(contents.levels == parsed);
        ZK_REQUIRE(complete == 0 ? contents.error == files::ShortFileError : contents.error == 0);
    }
    // Without a level the game goes on with one empty level.
    state.levels.ReplaceLevels(parsed.empty() ? std::vector<LevelRecord>{LevelRecord{}} : parsed);
    ZK_REQUIRE(state.levels.LevelCount() == static_cast<int>(std::max<std::size_t>(complete, 1)));

    // Two levels picked by the bytes themselves, so the fuzzer steers which.
    const int count = state.levels.LevelCount();
    for (int pick = 0; pick < 2; ++pick) {
        const int n =
            1 + static_cast<int>((seed >> (pick * 16)) % static_cast<std::uint64_t>(count));
        const LevelRecord& level = state.levels.LevelAt(n);
        TouchEveryLookup(level);
        (void)IsSolved(level);
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
    const std::vector<LevelRecord> levels = state.levels.Levels();
    ZK_REQUIRE(files::ParseLevelRecords(files::LevelFileBytes(levels)) == levels);
    if (onDisk) {
        const files::LevelFileLocation file =
            files::LevelFileToWrite(files::LevelFilePlaces(directory));
        ZK_REQUIRE(!files::WriteLevelFile(file.path, levels).has_value());
        ZK_REQUIRE(files::ReadLevelFile(files::LocateLevelFile(directory).path).levels == levels);
    }
    return 0;
}
