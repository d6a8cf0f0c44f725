// The search state: the starting point, the deductions between two choices
// (narrowing, neighbours agreeing, tiles needing cells, connection ends
// balancing) and their undoing.
#include "model/SolverEngine.h"

#include <algorithm>
#include <bit>
#include <vector>

#include "model/SolverKeys.h"

namespace zk::detail {

Engine::Engine(const SolverModel& model) : m_(model) {
    weight_.fill(1);
    allowed_.fill(AllClasses);
    log_.resize(LogCapacity);
}

void Engine::Toggle(std::size_t index) {
    const auto& k = Keys();
    hashA_ ^= k[2 * index];
    hashB_ ^= k[2 * index + 1];
}

// The starting point: every cell open with the classes its fixed neighbours
// and the border allow. False when some cell can take none.
bool Engine::Start() {
    kept_ = 0;
    hashA_ = 0;
    hashB_ = 0;
    logSize_ = 0;
    assigned_.fill(-1);
    available_ = 0;
    open_ = 0;
    for (auto& side : ends_) {
        side.fill(0);
    }
    left_.Clear();
    for (int cls = 0; cls < m_.classCount; ++cls) {
        remaining_[U(cls)] = m_.classTotal[U(cls)];
        left_.Put(cls, remaining_[U(cls)]);
        if (remaining_[U(cls)] > 0) {
            available_ |= ClassMask{1} << cls;
        }
        const Edges& e = m_.classEdges[U(cls)];
        for (int s = 0; s < 4; ++s) {
            ends_[U(s)][e[s] + 1U] += remaining_[U(cls)];
        }
    }
    room_.Clear();
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
        AddKnownEnds(cell, 1);
        dom_[i] = m;
        possible = possible && m != 0;
        shows_[i] = ShowsOf(m_, m);
        room_.Add(m);
        if (std::popcount(m) == 1) {
            toPlace_ |= CellMask{1} << cell;
        }
    }
    shows_[NoNeighbour] = 0xFFFFU;
    stale_ = open_;
    touched_ = open_;
    toRevise_ = open_;
    toSettle_ = available_;
    return possible;
}

void Engine::SetCode(int cell, int side, int code) {
    auto& slot = code_[U(cell)][U(side)];
    if (slot == code) {
        return;
    }
    Log({Entry::Code, static_cast<std::int8_t>(cell), static_cast<std::int8_t>(side),
         static_cast<std::int8_t>(slot), 0, 0});
    if (slot >= 0) {
        Toggle(FacingIndex(cell, side, slot));
    }
    if (code >= 0) {
        Toggle(FacingIndex(cell, side, code));
    }
    ++ends_[U(side)][U(slot + 1)];
    --ends_[U(side)][U(code + 1)];
    slot = code;
}

// Counts the known codes of an open cell's sides into the ends the remaining
// tiles must meet (sign 1), or takes them out again (sign -1).
void Engine::AddKnownEnds(int cell, int sign) {
#pragma GCC unroll 4
    for (std::size_t s = 0; s < 4; ++s) {
        ends_[s][U(code_[U(cell)][s] + 1)] -= sign;
    }
}

// The known codes on the sides of a cell toward other movable cells: part of
// the state while the cell is open.
void Engine::ToggleFacing(int cell) {
    const auto& keys = Keys();
#pragma GCC unroll 4
    for (int s = 0; s < 4; ++s) {
        const int code = code_[U(cell)][U(s)];
        // Without a branch: whether a side is known is as good as random.
        const std::uint64_t on = std::uint64_t{0} - ((m_.neighbour[U(cell)][U(s)] | code) >= 0);
        const std::size_t index = FacingIndex(cell, s, code & 3);
        hashA_ ^= keys[2 * index] & on;
        hashB_ ^= keys[2 * index + 1] & on;
    }
}

// Narrows an open cell from old to now, which differ.
bool Engine::Narrow(int cell, ClassMask old, ClassMask now) {
    const auto i = U(cell);
    Log({Entry::Domain, static_cast<std::int8_t>(cell), 0, 0, static_cast<std::uint16_t>(shows_[i]),
         old});
    dom_[i] = now;
    stale_ |= CellMask{1} << cell;
    touched_ |= CellMask{1} << cell;
    room_.Remove(old & ~now);
    toSettle_ |= old & ~now;
    if (now == 0) {
        Blame(cell);
        return false;
    }
    // Only a neighbour facing a side whose codes changed can lose classes.
    const unsigned shows = ShowsOf(m_, now);
    const unsigned changed = shows ^ shows_[i];
    shows_[i] = shows;
    // Bit 4 * side set for each side with a change, without a branch: which
    // sides change is as good as random.
    unsigned sides = changed | changed >> 1;
    sides |= sides >> 2;
    CellMask wake = 0;
#pragma GCC unroll 4
    for (std::size_t s = 0; s < 4; ++s) {
        wake |= m_.neighbourBit[i][s] & (CellMask{0} - (sides >> (4 * s) & 1U));
    }
    toRevise_ |= wake;
    toPlace_ |= CellMask{(now & (now - 1)) == 0} << cell;
    return true;
}

// Neighbouring cells agree: a cell keeps the classes whose side shows a code
// that the cell next door can still show on its facing side. A placed
// neighbour shows the one code its placing already narrowed this cell to.
inline bool Engine::Revise(int cell) {
    const auto i = U(cell);
    ClassMask m = dom_[i];
#pragma GCC unroll 4
    for (std::size_t s = 0; s < 4; ++s) {
        const unsigned other = shows_[m_.facing[i][s]];
        m &= m_.withCodeIn[s][other >> (4 * U(Opposite(static_cast<int>(s)))) & 0xFU];
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
    const int room = room_[cls];
    const int left = remaining_[U(cls)];
    if (room < left) {
        return false;
    }
    if (room > left) {
        return true;
    }
    for (CellMask c = CellsWith(cls); c != 0; c &= c - 1) {
        if (!Restrict(std::countr_zero(c), bit)) {
            return false;
        }
    }
    return true;
}

// The open cells that can still take cls.
CellMask Engine::CellsWith(int cls) const {
    CellMask cells = 0;
    for (CellMask o = open_; o != 0; o &= o - 1) {
        const int cell = std::countr_zero(o);
        cells |= (dom_[U(cell)] >> cls & 1U) << cell;
    }
    return cells;
}

// Puts the one class left on an open cell there.
bool Engine::Place(int cell, int cls) {
    const auto i = U(cell);
    Log({Entry::Placed, static_cast<std::int8_t>(cell), 0, 0, 0, 0});
    Toggle(PlacedKey + i);
    Toggle(LeftIndex(cls, remaining_[U(cls)]));
    Toggle(LeftIndex(cls, remaining_[U(cls)] - 1));
    ToggleFacing(cell);
    assigned_[i] = static_cast<std::int8_t>(cls);
    AddKnownEnds(cell, -1);
    open_ &= ~(CellMask{1} << cell);
    room_.Remove(ClassMask{1} << cls);
    if (options_.preferred && (*options_.preferred)[i] == cls) {
        ++kept_;
    }
    const Edges& e = m_.classEdges[U(cls)];
#pragma GCC unroll 4
    for (int s = 0; s < 4; ++s) {
        --ends_[U(s)][e[s] + 1U];
    }
    left_.Remove(ClassMask{1} << cls);
    if (--remaining_[U(cls)] == 0) {
        const ClassMask bit = ClassMask{1} << cls;
        available_ &= ~bit;
        for (CellMask c = CellsWith(cls); c != 0; c &= c - 1) {
            if (!Restrict(std::countr_zero(c), ~bit)) {
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

void Engine::UndoTo(const Mark& mark) {
    while (logSize_ > mark.log) {
        const LogEntry& entry = log_[--logSize_];
        const auto i = U(entry.cell);
        switch (entry.kind) {
        case Entry::Domain:
            dom_[i] = entry.oldMask;
            shows_[i] = entry.oldShows;
            stale_ |= CellMask{1} << entry.cell;
            break;
        case Entry::Code: {
            auto& slot = code_[i][U(entry.side)];
            ++ends_[U(entry.side)][U(slot + 1)];
            --ends_[U(entry.side)][U(entry.oldCode + 1)];
            slot = entry.oldCode;
            break;
        }
        case Entry::Placed: {
            const int cls = assigned_[i];
            assigned_[i] = -1;
            open_ |= CellMask{1} << entry.cell;
            AddKnownEnds(entry.cell, 1);
            left_.Add(ClassMask{1} << cls);
            if (remaining_[U(cls)]++ == 0) {
                available_ |= ClassMask{1} << cls;
            }
            if (options_.preferred && (*options_.preferred)[i] == cls) {
                --kept_;
            }
            const Edges& e = m_.classEdges[U(cls)];
#pragma GCC unroll 4
            for (int s = 0; s < 4; ++s) {
                ++ends_[U(s)][e[s] + 1U];
            }
            break;
        }
        }
    }
    room_ = mark.room;
    hashA_ = mark.hashA;
    hashB_ = mark.hashB;
}

// The crossing parity: every view whose cells changed has its bits add up
// as they must; where one cell alone is still open in a view, it takes the
// classes that make them. False when a view cannot hold.
bool Engine::ParityHolds() {
    const ParityViews& p = m_.parity;
    const std::size_t combos = p.comboOdd.size();
    for (CellMask c = stale_; c != 0; c &= c - 1) {
        const int cell = std::countr_zero(c);
        const ClassMask d = dom_[U(cell)];
        const CellMask bit = CellMask{1} << cell;
        for (std::size_t k = 0; k < combos; ++k) {
            const ClassMask odd = p.comboOdd[k];
            const bool may1 = (d & odd) != 0;
            const bool may0 = (d & ~odd) != 0;
            sureOdd_[k] = (sureOdd_[k] & ~bit) | (may1 && !may0 ? bit : 0);
            unsure_[k] = (unsure_[k] & ~bit) | (may1 && may0 ? bit : 0);
        }
    }
    stale_ = 0;
    const CellMask touched = touched_;
    touched_ = 0;
    for (const ParityViews::View& view : p.views) {
        if ((view.cells & touched) == 0) {
            continue;
        }
        // Most views have two or more cells open: those say nothing.
        CellMask open = 0;
        int openCombo = -1;
        const std::size_t end = view.first + view.count;
        std::size_t g = view.first;
        for (; g < end; ++g) {
            const ParityViews::Group& group = p.groups[g];
            const CellMask u = unsure_[U(group.combo)] & group.cells;
            if (u != 0) {
                if (open != 0 || (u & (u - 1)) != 0) {
                    break;
                }
                open = u;
                openCombo = group.combo;
            }
        }
        if (g < end) {
            continue;
        }
        bool odd = view.odd;
        for (g = view.first; g < end; ++g) {
            const ParityViews::Group& group = p.groups[g];
            odd ^= (std::popcount(sureOdd_[U(group.combo)] & group.cells) & 1) != 0;
        }
        if (open == 0) {
            if (odd) {
                return false;
            }
            continue;
        }
        const ClassMask ones = p.comboOdd[U(openCombo)];
        if (!Restrict(std::countr_zero(open), odd ? ones : ~ones)) {
            return false;
        }
    }
    return true;
}

// Connection ends balance: the remaining tiles' east sides show the codes the
// known east sides of open cells ask for, and the rest pair up with west
// sides of the same codes between open cells; likewise north and south.
bool Engine::EndsBalance() const {
#pragma GCC unroll 4
    for (std::size_t code = 1; code <= 4; ++code) {
        const int east = ends_[East][code];
        const int north = ends_[North][code];
        if (east < 0 || east != ends_[West][code] || north < 0 || north != ends_[South][code]) {
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
        } else if (toSettle_ != 0 && (toSettle_ &= room_.AtMost(left_)) != 0) {
            // A class with more room than tiles left has nothing to settle:
            // those are dropped at once. One whose room shrinks again comes
            // back with the narrowing.
            const int cls = std::countr_zero(toSettle_);
            toSettle_ &= toSettle_ - 1;
            ok = Settle(cls);
        } else if (toPlace_ != 0) {
            const int cell = std::countr_zero(toPlace_);
            toPlace_ &= toPlace_ - 1;
            if ((open_ >> cell & 1U) != 0) {
                ok = Place(cell, std::countr_zero(dom_[U(cell)]));
            }
        } else if (options_.parity && touched_ != 0) {
            // Last, as it looks at many cells at once: what the crossing
            // parity says of the cells changed since it last looked.
            ok = ParityHolds();
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

// The check of what is kept up to date, for tests; see CheckEveryNode.
void Engine::Check() {
    if (checking_) {
        ++checks_;
        checksFailed_ += KeptStateAgrees() ? 0 : 1;
    }
}

bool Engine::KeptStateAgrees() const {
    const auto& keys = Keys();
    std::uint64_t hashA = 0;
    std::uint64_t hashB = 0;
    const auto toggle = [&](std::size_t index) {
        hashA ^= keys[2 * index];
        hashB ^= keys[2 * index + 1];
    };
    std::array<std::array<int, 5>, 4> ends{};
    bool agrees = shows_[NoNeighbour] == 0xFFFFU;
    for (int cls = 0; cls < m_.classCount; ++cls) {
        const auto c = U(cls);
        const ClassMask bit = ClassMask{1} << cls;
        int room = 0;
        for (int cell = 0; cell < m_.cellCount; ++cell) {
            room += (open_ >> cell & 1U) != 0 && (dom_[U(cell)] & bit) != 0 ? 1 : 0;
        }
        agrees = agrees && room_[cls] == room && left_[cls] == remaining_[c] &&
                 ((available_ & bit) != 0) == (remaining_[c] > 0);
        toggle(LeftIndex(cls, m_.classTotal[c]));
        toggle(LeftIndex(cls, remaining_[c]));
        for (std::size_t s = 0; s < 4; ++s) {
            ends[s][m_.classEdges[c][s] + 1U] += remaining_[c];
        }
    }
    for (int cell = 0; cell < m_.cellCount; ++cell) {
        const auto i = U(cell);
        const bool open = (open_ >> cell & 1U) != 0;
        agrees = agrees && shows_[i] == ShowsOf(m_, dom_[i]) && open == (assigned_[i] < 0);
        if (!open) {
            toggle(PlacedKey + i);
            continue;
        }
        for (std::size_t s = 0; s < 4; ++s) {
            const int code = code_[i][s];
            ends[s][U(code + 1)] -= 1;
            if (m_.neighbour[i][s] >= 0 && code >= 0) {
                toggle(FacingIndex(cell, static_cast<int>(s), code));
            }
        }
    }
    for (std::size_t s = 0; s < 4; ++s) {
        for (std::size_t code = 1; code <= 4; ++code) {
            agrees = agrees && ends_[s][code] == ends[s][code];
        }
    }
    return agrees && hashA == hashA_ && hashB == hashB_;
}

} // namespace zk::detail
