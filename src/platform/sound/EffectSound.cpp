#include "platform/sound/EffectSound.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QSoundEffect>
#include <QUrl>
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace zk::platform {

namespace {

std::uint32_t Little32(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return std::uint32_t(u[0]) | std::uint32_t(u[1]) << 8 | std::uint32_t(u[2]) << 16 |
           std::uint32_t(u[3]) << 24;
}

std::uint16_t Little16(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return std::uint16_t(u[0] | u[1] << 8);
}

} // namespace

bool IsPlayableWave(const QString& file) {
    // Opened without waiting, and read only when it is a plain file: a pipe
    // or a device put where a sound belongs would otherwise hold the game.
    const int fd = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat st {};
    QByteArray head(4096, '\0');
    ssize_t got = -1;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        do {
            got = ::read(fd, head.data(), static_cast<std::size_t>(head.size()));
        } while (got < 0 && errno == EINTR);
    }
    ::close(fd);
    head.resize(std::max<qsizetype>(got, 0));
    if (head.size() < 12 || std::memcmp(head.constData(), "RIFF", 4) != 0 ||
        std::memcmp(head.constData() + 8, "WAVE", 4) != 0) {
        return false;
    }
    // Walk the chunks to "fmt " and check the sample format.
    qsizetype at = 12;
    while (at + 8 <= head.size()) {
        const char* chunk = head.constData() + at;
        const std::uint32_t size = Little32(chunk + 4);
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (at + 8 + 16 > head.size() || size < 16) {
                return false;
            }
            const std::uint16_t format = Little16(chunk + 8);
            const std::uint16_t channels = Little16(chunk + 10);
            return (format == 1 || format == 3 || format == 0xFFFE) && channels > 0;
        }
        at += 8 + qsizetype(size) + (size & 1);
    }
    return false;
}

EffectSoundPlayer::EffectSoundPlayer(std::function<void()> beep, QObject* parent)
    : QObject(parent), beep_(std::move(beep)) {}

EffectSoundPlayer::~EffectSoundPlayer() = default;

void EffectSoundPlayer::Beep() {
    if (beep_) {
        beep_();
    }
}

void EffectSoundPlayer::Stop() {
    for (auto& [file, effect] : effects_) {
        effect->stop();
    }
}

void EffectSoundPlayer::PlayAsync(const QString& file) {
    if (!IsPlayableWave(file)) {
        Beep();
        return;
    }
    auto& effect = effects_[file];
    if (!effect) {
        effect = std::make_unique<QSoundEffect>();
        effect->setSource(QUrl::fromLocalFile(file));
        connect(effect.get(), &QSoundEffect::statusChanged, this, [this, raw = effect.get()] {
            if (raw->status() == QSoundEffect::Error) {
                Beep();
            }
        });
    } else if (effect->status() == QSoundEffect::Error) {
        // Perhaps replaced by a good file since: load it again.
        effect->setSource(QUrl());
        effect->setSource(QUrl::fromLocalFile(file));
    }
    effect->play();
}

} // namespace zk::platform
