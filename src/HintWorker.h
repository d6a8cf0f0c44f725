// The hint's searches off the window's thread: one search at a time on a
// thread of the pool, its answer handed back on the window's thread. A new
// request, Cancel() or the worker's end drops the search in progress, which
// then stops within a millisecond; its answer is never handed over.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

#include "model/Board.h"
#include "model/Hint.h"

namespace zk {

class HintWorker {
public:
    // The search runs on the worker thread with its own copy of the Board;
    // it must stop soon once cancel is set.
    using Search = std::function<HintAnswer(const Board&, const std::atomic<bool>& cancel)>;
    // Runs on the window's thread with the Board asked about and the answer.
    using Done = std::function<void(const Board&, const HintAnswer&)>;

    HintWorker();
    ~HintWorker();
    HintWorker(const HintWorker&) = delete;
    HintWorker& operator=(const HintWorker&) = delete;

    void Ask(const Board& board, Search search, Done done);
    void Cancel();
    // The Board of the search in progress; none when idle.
    std::optional<Board> Asking() const;
    bool Busy() const { return static_cast<bool>(task_); }
    // Waits up to `limit` for the search in progress; when it ends within
    // that time its answer is handed over at once. True when it was.
    bool Wait(std::chrono::milliseconds limit);

private:
    struct Task;
    struct Mailbox;
    void Deliver(const std::shared_ptr<Task>& task);

    std::shared_ptr<Task> task_;
    std::shared_ptr<Mailbox> mailbox_;
};

} // namespace zk
