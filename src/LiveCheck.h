// The editor's live check: the board being drawn is checked on a thread of
// its own, so the window never waits. A newer level cancels the check still
// running, whose answer is then never told; answers are told on the window's
// thread, and kept for the last few levels, so that undo and redo answer at
// once.
#pragma once

#include <QObject>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include "model/EditorCheck.h"

namespace zk {

class LiveCheck : public QObject {
public:
    using Answer = std::function<void(const LevelRecord&, const EditorVerdict&)>;
    // answer: told of each level's verdict on the window's thread.
    explicit LiveCheck(Answer answer, QObject* parent = nullptr);
    ~LiveCheck() override;

    // Checks the level, unless it is being checked already; a check of
    // another level still running is cancelled.
    void Check(const LevelRecord& level);
    // Cancels the check running; its answer is not told.
    void Cancel();
    // The verdict kept for the level; none when it must be checked.
    std::optional<EditorVerdict> Known(const LevelRecord& level) const;

private:
    struct Job {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> cancel;
        std::shared_ptr<std::atomic<bool>> done;
    };
    void Told(std::uint64_t generation, const LevelRecord& level, const EditorVerdict& verdict);
    // Joins the threads that have ended.
    void Reap();

    Answer answer_;
    std::vector<Job> jobs_;
    std::uint64_t generation_ = 0;
    std::optional<LevelRecord> pending_;
    std::vector<std::pair<LevelRecord, EditorVerdict>> kept_;
};

} // namespace zk
