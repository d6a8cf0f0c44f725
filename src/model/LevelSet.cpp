#include "model/LevelSet.h"

#include <algorithm>

namespace zk {

namespace {
constexpr LevelRecord EmptyLevel{};

std::size_t At(int n) {
    return static_cast<std::size_t>(n - 1);
}
} // namespace

void LevelSet::ClampCurrentLevel() {
    current_ = std::clamp(current_, 1, std::max(1, LevelCount()));
}

const LevelRecord& LevelSet::LevelAt(int n) const {
    if (n < 1 || n > LevelCount()) {
        return EmptyLevel;
    }
    return levels_[At(n)];
}

void LevelSet::ReplaceLevels(std::vector<LevelRecord> levels) {
    if (levels.size() > static_cast<std::size_t>(MaxLevels)) {
        levels.resize(MaxLevels);
    }
    levels_ = std::move(levels);
}

void LevelSet::StoreBoard(const LevelRecord& board) {
    if (HasCurrentLevel()) {
        levels_[At(current_)] = board;
    }
}

bool LevelSet::InsertLevel(const LevelRecord& board) {
    if (LevelCount() >= MaxLevels) {
        return false;
    }
    StoreBoard(board);
    // With no valid current level the new one goes to the end.
    const int after = HasCurrentLevel() ? current_ : LevelCount();
    // Later levels move up one place together with their flags.
    for (int k = LevelCount(); k >= after + 1; --k) {
        flags_[At(k + 1)] = flags_[At(k)];
    }
    levels_.insert(levels_.begin() + after, EmptyLevel);
    current_ = after + 1;
    flags_[At(current_)] = 0;
    return true;
}

bool LevelSet::DeleteLevel() {
    if (LevelCount() == 0) {
        return false;
    }
    ClampCurrentLevel();
    if (LevelCount() == 1) {
        levels_[0] = EmptyLevel;
        flags_[0] = 0;
        return true;
    }
    for (int k = current_ + 1; k <= LevelCount(); ++k) {
        flags_[At(k - 1)] = flags_[At(k)];
    }
    levels_.erase(levels_.begin() + (current_ - 1));
    if (current_ > LevelCount()) {
        current_ = LevelCount();
    }
    return true;
}

std::optional<int> LevelSet::FindPreviousUnsolved() const {
    const int count = LevelCount();
    int k = current_;
    for (int i = 1; i < count; ++i) {
        k = k - 1;
        if (k < 1 || k > count) {
            k = count;
        }
        if (flags_[At(k)] == 0) {
            return k;
        }
    }
    return std::nullopt;
}

std::optional<int> LevelSet::FindNextUnsolved() const {
    const int count = LevelCount();
    int k = current_;
    for (int i = 1; i < count; ++i) {
        k = k + 1;
        if (k > count || k < 1) {
            k = 1;
        }
        if (flags_[At(k)] == 0) {
            return k;
        }
    }
    return std::nullopt;
}

void LevelSet::ResetProgress() {
    current_ = 1;
    std::fill_n(flags_.begin(), LevelCount(), std::uint8_t{0});
}

bool LevelSet::EveryLevelSolved() const {
    return std::all_of(flags_.begin(), flags_.begin() + LevelCount(),
                       [](std::uint8_t f) { return f != 0; });
}

bool LevelSet::RecordSolve() {
    if (HasCurrentLevel() && flags_[At(current_)] == 0) {
        flags_[At(current_)] = 1;
    }
    if (!allSolved_) {
        allSolved_ = EveryLevelSolved();
        return allSolved_;
    }
    return false;
}

void LevelSet::InitAllSolved() {
    allSolved_ = EveryLevelSolved();
}

int LevelSet::SolvedCount() const {
    return static_cast<int>(std::count_if(flags_.begin(), flags_.begin() + LevelCount(),
                                          [](std::uint8_t f) { return f != 0; }));
}

bool LevelSet::IsLevelSolved(int n) const {
    return n >= 1 && n <= MaxLevels && flags_[At(n)] != 0;
}

} // namespace zk
