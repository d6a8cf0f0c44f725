// Saved games: any bytes, any length. Up to 500 flags are taken as they are,
// flags beyond a short file keep their values, and the progress built on them
// never reads past the flags or the levels.
#include <algorithm>

#include "FuzzSupport.h"
#include "files/SavedGame.h"
#include "model/LevelSet.h"

using namespace zk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto& scratch = fuzz::Scratch();
    const std::string path = scratch.Put("game.zkv", data, size);

    SolvedFlags flags;
    flags.fill(0xA5);
    ZK_REQUIRE(files::ReadSavedGame(path, flags));
    const std::size_t taken = std::min<std::size_t>(size, files::SavedGameSize);
    for (std::size_t i = 0; i < flags.size(); ++i) {
        ZK_REQUIRE(flags[i] == (i < taken ? data[i] : 0xA5));
    }

    // The progress of a level set of any size with these flags.
    LevelSet set;
    const int count = size == 0 ? 1 : 1 + data[0] % MaxLevels;
    set.ReplaceLevels(std::vector<LevelRecord>(static_cast<std::size_t>(count)));
    set.Flags() = flags;
    set.SetCurrentLevel(size < 2 ? 1 : static_cast<int>(data[1]) * 3 - 200);
    set.InitAllSolved();
    const int solved = set.SolvedCount();
    ZK_REQUIRE(solved >= 0 && solved <= count);
    ZK_REQUIRE(set.AllSolved() == (solved == count));
    for (int n = -2; n <= MaxLevels + 2; ++n) {
        ZK_REQUIRE(set.IsLevelSolved(n) == (n >= 1 && n <= MaxLevels && flags[n - 1] != 0));
    }
    for (const auto found : {set.FindNextUnsolved(), set.FindPreviousUnsolved()}) {
        if (found) {
            ZK_REQUIRE(*found >= 1 && *found <= count && !set.IsLevelSolved(*found));
        }
    }
    const bool wasAll = set.AllSolved();
    const bool nowAll = set.RecordSolve();
    ZK_REQUIRE(!(wasAll && nowAll));
    set.ResetProgress();
    ZK_REQUIRE(set.SolvedCount() == 0 && set.CurrentLevel() == 1);

    // Written back, the file is the 500 flags exactly.
    if (size % 16 == 1) {
        ZK_REQUIRE(files::WriteSavedGame(path, flags));
        SolvedFlags back{};
        ZK_REQUIRE(files::ReadSavedGame(path, back));
        ZK_REQUIRE(back == flags);
    }
    return 0;
}
