// The ordered levels of the game, the current level, and the player's
// progress: one solved flag per level position.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "model/Board.h"

namespace zk {

inline constexpr int MaxLevels = 500;

// Flag n (1..500) is byte n-1; non-zero means solved. All 500 always exist,
// also beyond the level count, and travel with a saved game as they are.
using SolvedFlags = std::array<std::uint8_t, MaxLevels>;

class LevelSet {
public:
    int LevelCount() const { return static_cast<int>(levels_.size()); }
    int CurrentLevel() const { return current_; }
    // Any value may be set (the settings hand back what they hold); the
    // operations below only act on a current level that exists.
    void SetCurrentLevel(int n) { current_ = n; }
    // Brings CurrentLevel into 1..LevelCount.
    void ClampCurrentLevel();
    bool HasCurrentLevel() const { return current_ >= 1 && current_ <= LevelCount(); }

    // Level n, 1 <= n <= LevelCount. Any other n answers an empty level, so
    // no caller ever reads a level that does not exist.
    const LevelRecord& LevelAt(int n) const;

    // Replaces every level (the level file's reading); at most 500 are kept.
    void ReplaceLevels(std::vector<LevelRecord> levels);
    const std::vector<LevelRecord>& Levels() const { return levels_; }

    // The current level takes the Board's 63 bytes.
    void StoreBoard(const LevelRecord& board);

    // Stores the Board, then inserts an empty level with flag 0 after the
    // current one and makes it current. False (nothing changes) at 500.
    bool InsertLevel(const LevelRecord& board);

    // Removes the current level; later levels and their flags move down.
    // The only remaining level is emptied (flag 0) instead of removed, so a
    // loaded set never drops below one level. False when there is no level.
    bool DeleteLevel();

    std::optional<int> FindPreviousUnsolved() const;
    std::optional<int> FindNextUnsolved() const;

    // A new game: level 1 current, flags 1..LevelCount cleared.
    void ResetProgress();

    // Marks the current level solved; true exactly when this solve makes
    // every level solved for the first time in the run.
    bool RecordSolve();
    void InitAllSolved();
    bool AllSolved() const { return allSolved_; }

    int SolvedCount() const;
    bool IsLevelSolved(int n) const;

    SolvedFlags& Flags() { return flags_; }
    const SolvedFlags& Flags() const { return flags_; }

private:
    bool EveryLevelSolved() const;

    std::vector<LevelRecord> levels_;
    SolvedFlags flags_{};
    int current_ = 0;
    bool allSolved_ = false;
};

} // namespace zk
