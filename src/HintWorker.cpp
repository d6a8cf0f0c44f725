#include "HintWorker.h"

#include <QMetaObject>
#include <QObject>
#include <QThreadPool>
#include <condition_variable>
#include <mutex>

namespace zk {

struct HintWorker::Task {
    Board board;
    Search search;
    Done done;
    std::atomic<bool> cancel{false};
    std::mutex mutex;
    std::condition_variable finishedSignal;
    bool finished = false;  // guarded by mutex
    HintAnswer answer;      // guarded by mutex until finished
    bool delivered = false; // the window's thread only
};

// Where a finished search posts its answer: an object of the window's
// thread, gone with the worker. The lock keeps it alive while a search posts.
struct HintWorker::Mailbox {
    std::mutex mutex;
    std::unique_ptr<QObject> receiver;
    HintWorker* owner = nullptr;
};

HintWorker::HintWorker() : mailbox_(std::make_shared<Mailbox>()) {
    mailbox_->receiver = std::make_unique<QObject>();
    mailbox_->owner = this;
}

HintWorker::~HintWorker() {
    Cancel();
    // Posted answers go with their receiver.
    const std::lock_guard lock(mailbox_->mutex);
    mailbox_->receiver.reset();
    mailbox_->owner = nullptr;
}

void HintWorker::Ask(const Board& board, Search search, Done done) {
    Cancel();
    auto task = std::make_shared<Task>();
    task->board = board;
    task->search = std::move(search);
    task->done = std::move(done);
    task_ = task;
    std::shared_ptr<Mailbox> mailbox = mailbox_;
    QThreadPool::globalInstance()->start([task, mailbox] {
        HintAnswer answer = task->search(task->board, task->cancel);
        {
            const std::lock_guard lock(task->mutex);
            task->answer = std::move(answer);
            task->finished = true;
        }
        task->finishedSignal.notify_all();
        if (task->cancel) {
            return;
        }
        const std::lock_guard lock(mailbox->mutex);
        if (mailbox->receiver) {
            HintWorker* owner = mailbox->owner;
            QMetaObject::invokeMethod(
                mailbox->receiver.get(), [owner, task] { owner->Deliver(task); },
                Qt::QueuedConnection);
        }
    });
}

void HintWorker::Cancel() {
    if (task_) {
        task_->cancel = true;
        task_.reset();
    }
}

std::optional<Board> HintWorker::Asking() const {
    if (!task_) {
        return std::nullopt;
    }
    return task_->board;
}

bool HintWorker::Wait(std::chrono::milliseconds limit) {
    if (!task_) {
        return false;
    }
    const std::shared_ptr<Task> task = task_;
    {
        std::unique_lock lock(task->mutex);
        if (!task->finishedSignal.wait_for(lock, limit, [&] { return task->finished; })) {
            return false;
        }
    }
    Deliver(task);
    return true;
}

void HintWorker::Deliver(const std::shared_ptr<Task>& task) {
    if (task != task_ || task->delivered) {
        return; // dropped, or handed over by Wait already
    }
    task->delivered = true;
    task_.reset();
    HintAnswer answer;
    {
        const std::lock_guard lock(task->mutex);
        answer = task->answer;
    }
    task->done(task->board, answer);
}

} // namespace zk
