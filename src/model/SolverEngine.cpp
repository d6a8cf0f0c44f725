#include "model/SolverEngine.h"

#include <algorithm>
#include <bit>
#include <map>
#include <vector>

namespace zk::detail {

namespace {

constexpr int Opposite(int side) {
    return (side + 2) % 4;
}
constexpr int ColumnStep[4] = {1, 0, -1, 0}; // E, N, W, S
constexpr int RowStep[4] = {0, -1, 0, 1};
constexpr ClassMask AllClasses = ~ClassMask{0};

int EdgeKey(const Edges& e) {
    return e[East] | e[North] << 2 | e[West] << 4 | e[South] << 6;
}

TileNumber At(const LevelRecord& level, int column, int row) {
    return level[static_cast<std::size_t>(CellIndex(column, row))];
}

template <typename T>
constexpr std::size_t U(T i) {
    return static_cast<std::size_t>(i);
}

// Constraints no arrangement of the movable tiles can change: two fixed tiles
// facing each other, a fixed tile facing the border, and the balance of
// connection ends (every east end of a code needs a west end of the same
// code beside it, and likewise north and south).
bool FixedPartFits(const LevelRecord& level) {
    std::array<std::array<int, 4>, 4> ends{}; // [side][code]
    for (int c = 0; c < Columns; ++c) {
        for (int r = 0; r < Rows; ++r) {
            const TileNumber t = At(level, c, r);
            const Edges e = TileEdges(t);
            for (int s = 0; s < 4; ++s) {
                ++ends[U(s)][e[s]];
                if (IsMovable(t)) {
                    continue;
                }
                const int nc = c + ColumnStep[s];
                const int nr = r + RowStep[s];
                if (!IsOnBoard(nc, nr)) {
                    if (e[s] != 0) {
                        return false;
                    }
                } else if (const TileNumber n = At(level, nc, nr); !IsMovable(n)) {
                    if (TileEdges(n)[Opposite(s)] != e[s]) {
                        return false;
                    }
                }
            }
        }
    }
    for (std::size_t code = 1; code < 4; ++code) {
        if (ends[East][code] != ends[West][code] || ends[North][code] != ends[South][code]) {
            return false;
        }
    }
    return true;
}

} // namespace

SolverModel BuildModel(const LevelRecord& level) {
    SolverModel p;
    std::array<int, CellCount> cellAt{};
    cellAt.fill(-1);
    std::map<int, int> classOfKey;
    for (int c = 0; c < Columns; ++c) {
        for (int r = 0; r < Rows; ++r) {
            const TileNumber t = At(level, c, r);
            p.foreignTiles += HasPicture(t) ? 0 : 1;
            if (!IsMovable(t)) {
                continue;
            }
            ++p.movableCells;
            p.movableTiles += t != EmptyTile ? 1 : 0;
            p.holdableTiles += IsHoldable(t) ? 1 : 0;
            const auto cell = U(p.cellCount);
            const Edges e = TileEdges(t);
            auto [it, added] = classOfKey.try_emplace(EdgeKey(e), p.classCount);
            if (added) {
                p.classEdges[U(p.classCount)] = e;
                ++p.classCount;
            }
            p.storedClass[cell] = it->second;
            ++p.classTotal[U(it->second)];
            p.boardIndex[cell] = CellIndex(c, r);
            cellAt[U(CellIndex(c, r))] = p.cellCount;
            ++p.cellCount;
        }
    }
    for (int i = 0; i < p.cellCount; ++i) {
        const int c = p.boardIndex[U(i)] / Rows;
        const int r = p.boardIndex[U(i)] % Rows;
        for (int s = 0; s < 4; ++s) {
            const int nc = c + ColumnStep[s];
            const int nr = r + RowStep[s];
            int other = -1;
            int code = 0; // the border faces only code 0
            if (IsOnBoard(nc, nr)) {
                other = cellAt[U(CellIndex(nc, nr))];
                code = other >= 0 ? OpenSide : TileEdges(At(level, nc, nr))[Opposite(s)];
            }
            p.neighbour[U(i)][U(s)] = other;
            p.sideCode[U(i)][U(s)] = code;
        }
    }
    for (int cls = 0; cls < p.classCount; ++cls) {
        const Edges& e = p.classEdges[U(cls)];
        for (int s = 0; s < 4; ++s) {
            p.withCode[U(s)][e[s]] |= ClassMask{1} << cls;
        }
    }
    for (std::size_t s = 0; s < 4; ++s) {
        for (std::size_t set = 0; set < 16; ++set) {
            for (std::size_t code = 0; code < 4; ++code) {
                if (set & (1U << code)) {
                    p.withCodeIn[s][set] |= p.withCode[s][code];
                }
            }
        }
    }
    p.fixedPartFits = FixedPartFits(level);
    return p;
}

LevelRecord TilesFor(const LevelRecord& level, const SolverModel& p, const Arrangement& classes) {
    LevelRecord out = level;
    std::vector<std::vector<TileNumber>> pool(U(p.classCount));
    std::vector<bool> done(U(p.cellCount), false);
    for (int i = 0; i < p.cellCount; ++i) {
        const auto cell = U(i);
        if (p.storedClass[cell] != classes[cell]) {
            pool[U(p.storedClass[cell])].push_back(level[U(p.boardIndex[cell])]);
        } else {
            done[cell] = true;
        }
    }
    std::vector<std::size_t> next(U(p.classCount), 0);
    for (int i = 0; i < p.cellCount; ++i) {
        const auto cell = U(i);
        if (done[cell]) {
            continue;
        }
        const auto cls = U(classes[cell]);
        out[U(p.boardIndex[cell])] = pool[cls][next[cls]++];
    }
    return out;
}

namespace {

// Random keys for the state hash: per placed cell, per open cell, side and
// code it faces, per class and tiles left of it, and per count of cells kept
// on their preferred class.
constexpr std::size_t PlacedKey = 0;
constexpr std::size_t FacingKey = CellCount;
constexpr std::size_t LeftKey = FacingKey + CellCount * 16;
constexpr std::size_t KeptKey = LeftKey + CellCount * (CellCount + 1);
constexpr std::size_t KeyCount = KeptKey + CellCount + 1;

const std::array<std::uint64_t, 2 * KeyCount>& Keys() {
    static const std::array<std::uint64_t, 2 * KeyCount> keys = [] {
        std::array<std::uint64_t, 2 * KeyCount> k{};
        std::uint64_t x = 0x5A4B3C2D1E0F9988ULL;
        for (auto& key : k) {
            std::uint64_t z = (x += 0x9E3779B97F4A7C15ULL);
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
            key = z ^ (z >> 31);
        }
        return k;
    }();
    return keys;
}

std::size_t LeftIndex(int cls, int left) {
    return LeftKey + U(cls) * (CellCount + 1) + U(left);
}

std::size_t FacingIndex(int cell, int side, int code) {
    return FacingKey + U(cell) * 16 + U(side) * 4 + U(code);
}

// The states remembered as failed: at most this many (2 x 16 bytes each).
constexpr std::size_t MaxRemembered = std::size_t{1} << 20;

} // namespace

Engine::Engine(const SolverModel& model) : m_(model) {
    weight_.fill(1);
    allowed_.fill(AllClasses);
    log_.reserve(1024);
}

std::uint64_t Engine::NextRandom() {
    // splitmix64: small, fast and the same everywhere.
    std::uint64_t z = (random_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

void Engine::Toggle(std::size_t index) {
    const auto& k = Keys();
    hashA_ ^= k[2 * index];
    hashB_ ^= k[2 * index + 1];
}

bool Engine::Failed() const {
    if (failed_.empty()) {
        return false;
    }
    const std::size_t mask = failed_.size() - 1;
    for (std::size_t i = hashA_ & mask;; i = (i + 1) & mask) {
        const auto& slot = failed_[i];
        if (slot.first == 0 && slot.second == 0) {
            return false;
        }
        if (slot.first == hashA_ && slot.second == hashB_) {
            return true;
        }
    }
}

void Engine::RememberFailed() {
    if ((hashA_ == 0 && hashB_ == 0) || failedCount_ >= MaxRemembered) {
        return;
    }
    if (failedCount_ * 2 >= failed_.size()) {
        std::vector<std::pair<std::uint64_t, std::uint64_t>> grown(
            std::max<std::size_t>(1024, failed_.size() * 2));
        const std::size_t mask = grown.size() - 1;
        for (const auto& slot : failed_) {
            if (slot.first != 0 || slot.second != 0) {
                std::size_t i = slot.first & mask;
                while (grown[i].first != 0 || grown[i].second != 0) {
                    i = (i + 1) & mask;
                }
                grown[i] = slot;
            }
        }
        failed_.swap(grown);
    }
    const std::size_t mask = failed_.size() - 1;
    for (std::size_t i = hashA_ & mask;; i = (i + 1) & mask) {
        auto& slot = failed_[i];
        if (slot.first == 0 && slot.second == 0) {
            slot = {hashA_, hashB_};
            ++failedCount_;
            return;
        }
        if (slot.first == hashA_ && slot.second == hashB_) {
            return;
        }
    }
}

void Engine::Blame(int cell) {
    ++weight_[U(cell)];
    for (int s = 0; s < 4; ++s) {
        const int other = m_.neighbour[U(cell)][U(s)];
        if (other >= 0) {
            ++weight_[U(other)];
        }
    }
}

Engine::End Engine::Run(const Options& options, std::uint64_t nodeLimit,
                        const std::function<bool(const Arrangement&)>& onSolution) {
    options_ = options;
    nodeLimit_ = nodeLimit;
    onSolution_ = &onSolution;
    random_ = options.shuffleSeed * 0x9E3779B97F4A7C15ULL + 0x632BE59BD9B4E019ULL;
    nodes_ = 0;
    firstChoice_ = -1;
    cutoff_ = false;
    stopped_ = false;
    if (Start()) {
        Descend();
    }
    if (stopped_) {
        return End::Stopped;
    }
    return cutoff_ ? End::Cutoff : End::Exhausted;
}

bool Engine::Probe() {
    options_ = Options{};
    nodes_ = 0;
    for (bool again = true; again;) {
        again = false;
        if (!Start() || !Propagate()) {
            ClearWork();
            UndoTo(0);
            return false;
        }
        for (CellMask o = open_; o != 0; o &= o - 1) {
            const int cell = std::countr_zero(o);
            for (ClassMask m = dom_[U(cell)]; m != 0; m &= m - 1) {
                const int cls = std::countr_zero(m);
                const int mark = static_cast<int>(log_.size());
                ++nodes_;
                const bool fits = Restrict(cell, ClassMask{1} << cls) && Propagate();
                ClearWork();
                UndoTo(mark);
                if (!fits) {
                    allowed_[U(cell)] &= ~(ClassMask{1} << cls);
                    again = true;
                }
            }
        }
        UndoTo(0);
    }
    return true;
}

// The starting point: every cell open with the classes its fixed neighbours
// and the border allow. False when some cell can take none.
bool Engine::Start() {
    kept_ = 0;
    hashA_ = 0;
    hashB_ = 0;
    log_.clear();
    assigned_.fill(-1);
    available_ = 0;
    open_ = 0;
    for (auto& side : ends_) {
        side.fill(0);
    }
    for (int cls = 0; cls < m_.classCount; ++cls) {
        remaining_[U(cls)] = m_.classTotal[U(cls)];
        room_[U(cls)] = 0;
        if (remaining_[U(cls)] > 0) {
            available_ |= ClassMask{1} << cls;
        }
        const Edges& e = m_.classEdges[U(cls)];
        for (int s = 0; s < 4; ++s) {
            ends_[U(s)][e[s]] += remaining_[U(cls)];
        }
    }
    toPlace_ = 0;
    bool possible = true;
    for (int cell = 0; cell < m_.cellCount; ++cell) {
        const auto i = U(cell);
        open_ |= CellMask{1} << cell;
        code_[i] = m_.sideCode[i];
        ClassMask m = available_ & allowed_[i];
        for (std::size_t s = 0; s < 4; ++s) {
            if (code_[i][s] >= 0) {
                m &= m_.withCode[s][U(code_[i][s])];
            }
        }
        dom_[i] = m;
        possible = possible && m != 0;
        shows_[i] = ShowsOf(m);
        for (ClassMask b = m; b != 0; b &= b - 1) {
            ++room_[U(std::countr_zero(b))];
        }
        if (std::popcount(m) == 1) {
            toPlace_ |= CellMask{1} << cell;
        }
    }
    toRevise_ = open_;
    toSettle_ = available_;
    return possible;
}

void Engine::SetCode(int cell, int side, int code) {
    auto& slot = code_[U(cell)][U(side)];
    if (slot == code) {
        return;
    }
    log_.push_back({Entry::Code, static_cast<std::int8_t>(cell), static_cast<std::int8_t>(side),
                    static_cast<std::int8_t>(slot), 0, 0});
    if (slot >= 0) {
        Toggle(FacingIndex(cell, side, slot));
    }
    if (code >= 0) {
        Toggle(FacingIndex(cell, side, code));
    }
    slot = code;
}

// The known codes on the sides of a cell toward other movable cells: part of
// the state while the cell is open.
void Engine::ToggleFacing(int cell) {
    for (int s = 0; s < 4; ++s) {
        const int code = code_[U(cell)][U(s)];
        if (m_.neighbour[U(cell)][U(s)] >= 0 && code >= 0) {
            Toggle(FacingIndex(cell, s, code));
        }
    }
}

// The codes the classes of a domain show on each side, four bits a side.
unsigned Engine::ShowsOf(ClassMask m) const {
    unsigned packed = 0;
    for (std::size_t s = 0; s < 4; ++s) {
        const auto& with = m_.withCode[s];
        const unsigned codes = ((m & with[0]) ? 1U : 0U) | ((m & with[1]) ? 2U : 0U) |
                               ((m & with[2]) ? 4U : 0U) | ((m & with[3]) ? 8U : 0U);
        packed |= codes << (4 * s);
    }
    return packed;
}

// Narrows an open cell to the classes in mask. False when nothing is left.
bool Engine::Restrict(int cell, ClassMask mask) {
    const auto i = U(cell);
    const ClassMask old = dom_[i];
    const ClassMask now = old & mask;
    if (now == old) {
        return true;
    }
    log_.push_back({Entry::Domain, static_cast<std::int8_t>(cell), 0, 0,
                    static_cast<std::uint16_t>(shows_[i]), old});
    dom_[i] = now;
    for (ClassMask gone = old & ~now; gone != 0; gone &= gone - 1) {
        --room_[U(std::countr_zero(gone))];
    }
    toSettle_ |= old & ~now;
    if (now == 0) {
        Blame(cell);
        return false;
    }
    // Only a neighbour facing a side whose codes changed can lose classes.
    const unsigned shows = ShowsOf(now);
    const unsigned changed = shows ^ shows_[i];
    shows_[i] = shows;
    for (std::size_t s = 0; s < 4; ++s) {
        const int other = m_.neighbour[i][s];
        if (other >= 0 && (changed >> (4 * s) & 0xFU) != 0) {
            toRevise_ |= CellMask{1} << other;
        }
    }
    if ((now & (now - 1)) == 0) {
        toPlace_ |= CellMask{1} << cell;
    }
    return true;
}

// Neighbouring open cells agree: a cell keeps the classes whose side shows a
// code that the cell next door can still show on its facing side.
bool Engine::Revise(int cell) {
    const auto i = U(cell);
    ClassMask m = dom_[i];
    for (std::size_t s = 0; s < 4; ++s) {
        const int other = m_.neighbour[i][s];
        if (other >= 0 && (open_ >> other & 1U) != 0) {
            m &= m_.withCodeIn[s][shows_[U(other)] >> (4 * Opposite(static_cast<int>(s))) & 0xFU];
        }
    }
    return Restrict(cell, m);
}

// Every remaining tile needs a cell: a class with fewer open cells than tiles
// left fails, and one with exactly as many fills them all.
bool Engine::Settle(int cls) {
    const ClassMask bit = ClassMask{1} << cls;
    if ((available_ & bit) == 0) {
        return true;
    }
    const int room = room_[U(cls)];
    const int left = remaining_[U(cls)];
    if (room < left) {
        return false;
    }
    if (room > left) {
        return true;
    }
    for (CellMask o = open_; o != 0; o &= o - 1) {
        const int cell = std::countr_zero(o);
        if ((dom_[U(cell)] & bit) != 0 && !Restrict(cell, bit)) {
            return false;
        }
    }
    return true;
}

// Puts the one class left on an open cell there.
bool Engine::Place(int cell, int cls) {
    const auto i = U(cell);
    log_.push_back({Entry::Placed, static_cast<std::int8_t>(cell), 0, 0, 0, 0});
    Toggle(PlacedKey + i);
    Toggle(LeftIndex(cls, remaining_[U(cls)]));
    Toggle(LeftIndex(cls, remaining_[U(cls)] - 1));
    ToggleFacing(cell);
    assigned_[i] = static_cast<std::int8_t>(cls);
    open_ &= ~(CellMask{1} << cell);
    --room_[U(cls)];
    if (options_.preferred && (*options_.preferred)[i] == cls) {
        ++kept_;
    }
    const Edges& e = m_.classEdges[U(cls)];
    for (int s = 0; s < 4; ++s) {
        --ends_[U(s)][e[s]];
    }
    if (--remaining_[U(cls)] == 0) {
        const ClassMask bit = ClassMask{1} << cls;
        available_ &= ~bit;
        for (CellMask o = open_; o != 0; o &= o - 1) {
            const int other = std::countr_zero(o);
            if ((dom_[U(other)] & bit) != 0 && !Restrict(other, ~bit)) {
                return false;
            }
        }
    }
    for (int s = 0; s < 4; ++s) {
        const int other = m_.neighbour[i][U(s)];
        if (other >= 0 && assigned_[U(other)] < 0) {
            SetCode(other, Opposite(s), e[s]);
            if (!Restrict(other, m_.withCode[U(Opposite(s))][e[s]])) {
                return false;
            }
        }
    }
    return true;
}

void Engine::UndoTo(int mark) {
    while (static_cast<int>(log_.size()) > mark) {
        const LogEntry entry = log_.back();
        log_.pop_back();
        const auto i = U(entry.cell);
        switch (entry.kind) {
        case Entry::Domain: {
            for (ClassMask back = entry.oldMask & ~dom_[i]; back != 0; back &= back - 1) {
                ++room_[U(std::countr_zero(back))];
            }
            dom_[i] = entry.oldMask;
            shows_[i] = entry.oldShows;
            break;
        }
        case Entry::Code: {
            auto& slot = code_[i][U(entry.side)];
            if (slot >= 0) {
                Toggle(FacingIndex(entry.cell, entry.side, slot));
            }
            if (entry.oldCode >= 0) {
                Toggle(FacingIndex(entry.cell, entry.side, entry.oldCode));
            }
            slot = entry.oldCode;
            break;
        }
        case Entry::Placed: {
            const int cls = assigned_[i];
            Toggle(PlacedKey + i);
            Toggle(LeftIndex(cls, remaining_[U(cls)]));
            Toggle(LeftIndex(cls, remaining_[U(cls)] + 1));
            assigned_[i] = -1;
            open_ |= CellMask{1} << entry.cell;
            ToggleFacing(entry.cell);
            ++room_[U(cls)];
            if (remaining_[U(cls)]++ == 0) {
                available_ |= ClassMask{1} << cls;
            }
            if (options_.preferred && (*options_.preferred)[i] == cls) {
                --kept_;
            }
            const Edges& e = m_.classEdges[U(cls)];
            for (int s = 0; s < 4; ++s) {
                ++ends_[U(s)][e[s]];
            }
            break;
        }
        }
    }
}

// Connection ends balance: the remaining tiles' east sides show the codes the
// known east sides of open cells ask for, and the rest pair up with west
// sides of the same codes between open cells; likewise north and south.
bool Engine::EndsBalance() const {
    std::array<std::array<int, 4>, 4> known{}; // [side][code]
    for (CellMask o = open_; o != 0; o &= o - 1) {
        const auto cell = U(std::countr_zero(o));
        for (std::size_t s = 0; s < 4; ++s) {
            if (code_[cell][s] >= 0) {
                ++known[s][U(code_[cell][s])];
            }
        }
    }
    for (std::size_t code = 0; code < 4; ++code) {
        const int east = ends_[East][code] - known[East][code];
        const int west = ends_[West][code] - known[West][code];
        const int north = ends_[North][code] - known[North][code];
        const int south = ends_[South][code] - known[South][code];
        if (east < 0 || east != west || north < 0 || north != south) {
            return false;
        }
    }
    return true;
}

// Deduces until nothing more follows. False when the state has no solution.
bool Engine::Propagate() {
    bool ok = true;
    while (ok) {
        if (toRevise_ != 0) {
            const int cell = std::countr_zero(toRevise_);
            toRevise_ &= toRevise_ - 1;
            ok = (open_ >> cell & 1U) == 0 || Revise(cell);
        } else if (toSettle_ != 0) {
            const int cls = std::countr_zero(toSettle_);
            toSettle_ &= toSettle_ - 1;
            ok = Settle(cls);
        } else if (toPlace_ != 0) {
            const int cell = std::countr_zero(toPlace_);
            toPlace_ &= toPlace_ - 1;
            if ((open_ >> cell & 1U) != 0) {
                ok = Place(cell, std::countr_zero(dom_[U(cell)]));
            }
        } else {
            break;
        }
    }
    if (!ok) {
        ClearWork();
        return false;
    }
    if (!EndsBalance()) {
        return false;
    }
    if (options_.keepAtLeast > 0) {
        int keepable = 0;
        for (CellMask o = open_; o != 0; o &= o - 1) {
            const auto cell = U(std::countr_zero(o));
            const int want = (*options_.preferred)[cell];
            keepable += want >= 0 && (dom_[cell] >> want & 1U) != 0 ? 1 : 0;
        }
        if (kept_ + keepable < options_.keepAtLeast) {
            return false;
        }
    }
    return true;
}

bool Engine::Descend() {
    const int mark = static_cast<int>(log_.size());
    if (Propagate()) {
        if (open_ == 0) {
            ++solutionsSeen_;
            if ((*onSolution_)(assigned_)) {
                stopped_ = true;
            }
        } else if (!Remembered(false)) {
            const std::uint64_t seenBefore = solutionsSeen_;
            Branch();
            if (!cutoff_ && !stopped_ && solutionsSeen_ == seenBefore) {
                Remembered(true);
            }
        }
    }
    UndoTo(mark);
    return !stopped_ && !cutoff_;
}

// Looks the state up among those known to hold no solution, or adds it.
// With a bound on the cells kept, the same cells and codes with another
// count kept are another state. Below a choice that struck a class off a
// cell the state says less than the search knows, so nothing is added.
bool Engine::Remembered(bool add) {
    if (add && struck_ > 0) {
        return false;
    }
    const bool bounded = options_.keepAtLeast > 0;
    if (bounded) {
        Toggle(KeptKey + U(kept_));
    }
    bool known = false;
    if (add) {
        RememberFailed();
    } else {
        known = Failed();
    }
    if (bounded) {
        Toggle(KeptKey + U(kept_));
    }
    return known;
}

void Engine::Branch() {
    // A class with several tiles left and hardly more cells than tiles: one
    // of its cells takes it, or that cell takes another class.
    if (options_.classSlack >= 0) {
        int pick = -1;
        int pickSlack = options_.classSlack + 1;
        for (ClassMask m = available_; m != 0; m &= m - 1) {
            const int cls = std::countr_zero(m);
            const int slack = room_[U(cls)] - remaining_[U(cls)];
            if (remaining_[U(cls)] >= 2 && slack < pickSlack) {
                pick = cls;
                pickSlack = slack;
            }
        }
        if (pick >= 0) {
            int cell = -1;
            for (CellMask o = open_; o != 0 && cell < 0; o &= o - 1) {
                if ((dom_[U(std::countr_zero(o))] >> pick & 1U) != 0) {
                    cell = std::countr_zero(o);
                }
            }
            if (Try(cell, pick)) {
                TryWithout(cell, pick);
            }
            return;
        }
    }

    // Otherwise where the fewest choices remain for the cells that failed
    // most: the open cell with the fewest classes for its weight, or the
    // last tile of a class with fewer cells than that cell has classes.
    int bestCell = -1;
    int bestCount = 0;
    std::uint64_t bestWeight = 1;
    int ties = 0;
    for (CellMask o = open_; o != 0; o &= o - 1) {
        const int cell = std::countr_zero(o);
        const int count = std::popcount(dom_[U(cell)]);
        const std::uint64_t weight = options_.weighted ? weight_[U(cell)] : 1;
        const std::uint64_t lhs = static_cast<std::uint64_t>(count) * bestWeight;
        const std::uint64_t rhs = static_cast<std::uint64_t>(bestCount) * weight;
        if (bestCell < 0 || lhs < rhs) {
            bestCell = cell;
            bestCount = count;
            bestWeight = weight;
            ties = 1;
        } else if (lhs == rhs && options_.shuffleSeed != 0 &&
                   NextRandom() % static_cast<std::uint64_t>(++ties) == 0) {
            bestCell = cell;
            bestCount = count;
            bestWeight = weight;
        }
    }
    int bestClass = -1;
    int bestRoom = bestCount * options_.tileFactor;
    for (ClassMask m = available_; m != 0; m &= m - 1) {
        const int cls = std::countr_zero(m);
        if (remaining_[U(cls)] == 1 && room_[U(cls)] < bestRoom) {
            bestClass = cls;
            bestRoom = room_[U(cls)];
        }
    }

    std::array<int, CellCount> order{};
    int count = 0;
    if (bestClass >= 0) {
        for (CellMask o = open_; o != 0; o &= o - 1) {
            const int cell = std::countr_zero(o);
            if ((dom_[U(cell)] >> bestClass & 1U) != 0) {
                order[U(count++)] = cell;
            }
        }
    } else {
        for (ClassMask m = dom_[U(bestCell)]; m != 0; m &= m - 1) {
            order[U(count++)] = std::countr_zero(m);
        }
    }
    // The order of the choices: the preferred class (or the cell preferring
    // the class) first, then the classes with the least room to spare,
    // shuffled among equals on a restart.
    std::array<std::uint64_t, CellCount> key{};
    for (int k = 0; k < count; ++k) {
        const int item = order[U(k)];
        const int cell = bestClass >= 0 ? item : bestCell;
        const int cls = bestClass >= 0 ? bestClass : item;
        std::uint64_t rank = 0;
        if (!(options_.preferred && (*options_.preferred)[U(cell)] == cls)) {
            rank = 1 + static_cast<std::uint64_t>(std::max(0, room_[U(cls)] - remaining_[U(cls)]));
        }
        const std::uint64_t noise = options_.shuffleSeed != 0 ? NextRandom() >> 40 : 0;
        key[U(k)] = rank << 32 | noise << 8 | static_cast<std::uint64_t>(k);
    }
    std::sort(key.begin(), key.begin() + count);
    for (int k = 0; k < count; ++k) {
        const int item = order[U(key[U(k)] & 0xFF)];
        if (!(bestClass >= 0 ? Try(item, bestClass) : Try(bestCell, item))) {
            break;
        }
    }
}

void Engine::ClearWork() {
    toRevise_ = 0;
    toSettle_ = 0;
    toPlace_ = 0;
}

bool Engine::Try(int cell, int cls) {
    if (nodes_ >= nodeLimit_) {
        cutoff_ = true;
        return false;
    }
    ++nodes_;
    if (firstChoice_ < 0) {
        firstChoice_ = cell;
    }
    const int mark = static_cast<int>(log_.size());
    if (Restrict(cell, ClassMask{1} << cls)) {
        Descend();
    } else {
        ClearWork();
    }
    UndoTo(mark);
    return !stopped_ && !cutoff_;
}

bool Engine::TryWithout(int cell, int cls) {
    if (nodes_ >= nodeLimit_) {
        cutoff_ = true;
        return false;
    }
    ++nodes_;
    if (firstChoice_ < 0) {
        firstChoice_ = cell;
    }
    const int mark = static_cast<int>(log_.size());
    ++struck_;
    if (Restrict(cell, ~(ClassMask{1} << cls))) {
        Descend();
    } else {
        ClearWork();
    }
    --struck_;
    UndoTo(mark);
    return !stopped_ && !cutoff_;
}

} // namespace zk::detail
