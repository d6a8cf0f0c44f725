#include "LiveCheck.h"

#include <algorithm>

namespace zk {

namespace {
// Verdicts kept, the latest last.
constexpr std::size_t KeptVerdicts = 32;
} // namespace

LiveCheck::LiveCheck(Answer answer, QObject* parent)
    : QObject(parent), answer_(std::move(answer)) {}

LiveCheck::~LiveCheck() {
    // Each search ends within about a millisecond of its cancel.
    for (Job& job : jobs_) {
        job.cancel->store(true);
    }
    for (Job& job : jobs_) {
        job.thread.join();
    }
}

void LiveCheck::Check(const LevelRecord& level) {
    if (pending_ == level) {
        return;
    }
    Cancel();
    Reap();
    pending_ = level;
    const std::uint64_t generation = ++generation_;
    Job job{std::thread(), std::make_shared<std::atomic<bool>>(false),
            std::make_shared<std::atomic<bool>>(false)};
    job.thread = std::thread([this, level, generation, cancel = job.cancel, done = job.done] {
        const EditorVerdict verdict = CheckForEditor(level, cancel.get());
        if (!cancel->load()) {
            // Told on the window's thread; dropped there when superseded.
            QMetaObject::invokeMethod(
                this, [this, generation, level, verdict] { Told(generation, level, verdict); },
                Qt::QueuedConnection);
        }
        done->store(true);
    });
    jobs_.push_back(std::move(job));
}

void LiveCheck::Cancel() {
    ++generation_;
    pending_.reset();
    for (Job& job : jobs_) {
        job.cancel->store(true);
    }
}

std::optional<EditorVerdict> LiveCheck::Known(const LevelRecord& level) const {
    const auto kept = std::find_if(kept_.rbegin(), kept_.rend(),
                                   [&level](const auto& entry) { return entry.first == level; });
    return kept == kept_.rend() ? std::nullopt : std::optional(kept->second);
}

void LiveCheck::Told(std::uint64_t generation, const LevelRecord& level,
                     const EditorVerdict& verdict) {
    Reap();
    if (generation != generation_) {
        return;
    }
    pending_.reset();
    if (!Known(level)) {
        kept_.emplace_back(level, verdict);
        if (kept_.size() > KeptVerdicts) {
            kept_.erase(kept_.begin());
        }
    }
    answer_(level, verdict);
}

void LiveCheck::Reap() {
    const auto ended = std::partition(jobs_.begin(), jobs_.end(),
                                      [](const Job& job) { return !job.done->load(); });
    for (auto job = ended; job != jobs_.end(); ++job) {
        job->thread.join();
    }
    jobs_.erase(ended, jobs_.end());
}

} // namespace zk
