#include "CodeLevels.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "files/Records.h"

namespace zk {

CodeLevelMaker::CodeLevelMaker(std::function<void(const LevelCode&, const LevelRecord&)> ready)
    : ready_(std::move(ready)) {
    pool_.setMaxThreadCount(1);
}

CodeLevelMaker::~CodeLevelMaker() {
    pool_.waitForDone();
}

void CodeLevelMaker::Request(const LevelCode& code) {
    const unsigned ticket = ++ticket_;
    ++pending_;
    pool_.start([this, ticket, code] {
        const LevelRecord level = GenerateCodeLevel(code).record;
        QMetaObject::invokeMethod(
            this, [this, ticket, code, level] { Arrived(ticket, code, level); },
            Qt::QueuedConnection);
    });
}

void CodeLevelMaker::Arrived(unsigned ticket, const LevelCode& code, const LevelRecord& level) {
    if (ticket != ticket_) {
        --pending_;
        return;
    }
    // A question or form open over the window is answered first.
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(50, this, [this, ticket, code, level] { Arrived(ticket, code, level); });
        return;
    }
    --pending_;
    if (ready_) {
        ready_(code, level);
    }
}

std::optional<int> RecordedBest(const LevelRecord& level) {
    const files::RecordsRead read = files::ReadRecords(files::RecordsPath());
    const auto it = read.records.levels.find(LevelContentHash(level));
    if (it == read.records.levels.end() || it->second.fewestMoves < 0) {
        return std::nullopt;
    }
    return it->second.fewestMoves;
}

std::optional<int> NotePlay(const LevelRecord& level, const std::string& code, bool solved,
                            int moves, int hints) {
    const std::string path = files::RecordsPath();
    const files::RecordsWrite written =
        files::AddPlay(path, {LevelContentHash(level), code, solved, moves, hints, TodayUtc()});
    static bool told = false;
    if (!written.ok && !told) {
        told = true;
        std::fprintf(stderr, "zanfor-kelva: the records cannot be kept in %s: %s\n",
                     path.empty() ? "the data directory" : path.c_str(),
                     std::strerror(written.error));
    }
    if (written.record.fewestMoves < 0) {
        return std::nullopt;
    }
    return written.record.fewestMoves;
}

} // namespace zk
