// Levels outside the set: the level of a code made on a worker thread (the
// window never waits for the generator), and the player's records of the
// levels played, read and written through the records file.
#pragma once

#include <QObject>
#include <QThreadPool>
#include <functional>
#include <optional>
#include <string>

#include "model/Board.h"
#include "model/LevelCode.h"

namespace zk {

class CodeLevelMaker : public QObject {
    Q_OBJECT
public:
    // ready runs on the window's thread with each level made, unless a later
    // request came first.
    explicit CodeLevelMaker(std::function<void(const LevelCode&, const LevelRecord&)> ready);
    ~CodeLevelMaker() override;

    // Makes the level of the code on a worker thread.
    void Request(const LevelCode& code);
    // Whether a level is being made.
    bool Busy() const { return pending_ != 0; }

private:
    void Arrived(unsigned ticket, const LevelCode& code, const LevelRecord& level);

    std::function<void(const LevelCode&, const LevelRecord&)> ready_;
    unsigned ticket_ = 0;
    int pending_ = 0;
    // Last, so that it is destroyed first: its destructor waits for the
    // worker, which may still post to this object.
    QThreadPool pool_;
};

// The fewest moves of the player's solves of the level, from the records
// file; none before the first solve, or when the file cannot be read.
std::optional<int> RecordedBest(const LevelRecord& level);

// One play of the level into the records file: played, or solved in moves
// with hints. Answers the fewest moves after it (none before a first solve).
// A failure is told on the standard error once; play goes on.
std::optional<int> NotePlay(const LevelRecord& level, const std::string& code, bool solved,
                            int moves, int hints);

} // namespace zk
