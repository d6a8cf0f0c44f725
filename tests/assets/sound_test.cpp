// The two wave files: their headers, lengths and levels.
#include "AssetTestSupport.h"
#include "Sound.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

struct Wave {
    bool ok = false;
    int format = 0, channels = 0, rate = 0, bits = 0;
    std::vector<std::int16_t> samples;
    double Seconds() const { return rate > 0 ? static_cast<double>(samples.size()) / rate : 0.0; }
};

std::uint32_t Le32(const QByteArray& b, int at) {
    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at])) |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 3])) << 24;
}
int Le16(const QByteArray& b, int at) {
    return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8;
}

// A strict reader: RIFF, WAVE, a 16-byte fmt chunk, then the data chunk.
Wave Parse(const QByteArray& b) {
    Wave w;
    if (b.size() < 44 || b.mid(0, 4) != "RIFF" || b.mid(8, 8) != "WAVEfmt " ||
        b.mid(36, 4) != "data") {
        return w;
    }
    if (Le32(b, 4) != static_cast<std::uint32_t>(b.size() - 8) || Le32(b, 16) != 16) {
        return w;
    }
    w.format = Le16(b, 20);
    w.channels = Le16(b, 22);
    w.rate = static_cast<int>(Le32(b, 24));
    w.bits = Le16(b, 34);
    if (Le32(b, 28) != static_cast<std::uint32_t>(w.rate * w.channels * w.bits / 8) ||
        Le16(b, 32) != w.channels * w.bits / 8) {
        return w;
    }
    const std::uint32_t size = Le32(b, 40);
    if (size != static_cast<std::uint32_t>(b.size() - 44) || size % 2 != 0) {
        return w;
    }
    for (int i = 44; i < b.size(); i += 2) {
        w.samples.push_back(static_cast<std::int16_t>(Le16(b, i)));
    }
    w.ok = true;
    return w;
}

int Peak(const std::vector<std::int16_t>& s, std::size_t from, std::size_t to) {
    int peak = 0;
    for (std::size_t i = from; i < to && i < s.size(); ++i) {
        peak = std::max(peak, std::abs(static_cast<int>(s[i])));
    }
    return peak;
}

void ExpectPcm(const Wave& w) {
    ASSERT_TRUE(w.ok);
    EXPECT_EQ(w.format, 1);
    EXPECT_EQ(w.channels, 1);
    EXPECT_EQ(w.bits, 16);
    EXPECT_EQ(w.rate, 44100);
}

TEST(Sound, SolvedFanfareIsAShortBrightSound) {
    const Wave w = Parse(zk::test::ReadAll(zk::test::GameFile("w1.wav")));
    ExpectPcm(w);
    EXPECT_GT(w.Seconds(), 0.6);
    EXPECT_LT(w.Seconds(), 1.5);
    const int peak = Peak(w.samples, 0, w.samples.size());
    EXPECT_GT(peak, 16000);
    EXPECT_LT(peak, 32767) << "clipped";
    // it starts and ends in silence, without a click of its own
    EXPECT_LT(std::abs(w.samples.front()), 200);
    EXPECT_LT(Peak(w.samples, w.samples.size() - 50, w.samples.size()), 300);
    // bright: many zero crossings (a high-pitched sound), not a hum
    int crossings = 0;
    for (std::size_t i = 1; i < w.samples.size(); ++i) {
        crossings += (w.samples[i - 1] < 0) != (w.samples[i] < 0) ? 1 : 0;
    }
    EXPECT_GT(crossings / w.Seconds(), 700.0);
}

TEST(Sound, MoveClickIsShortAndSoft) {
    const Wave w = Parse(zk::test::ReadAll(zk::test::GameFile("w2.wav")));
    ExpectPcm(w);
    EXPECT_GT(w.Seconds(), 0.02);
    EXPECT_LT(w.Seconds(), 0.15);
    const int peak = Peak(w.samples, 0, w.samples.size());
    EXPECT_GT(peak, 4000);
    EXPECT_LT(peak, 20000) << "a click should be softer than the fanfare";
    // the energy sits at the start and dies away
    EXPECT_GT(Peak(w.samples, 0, w.samples.size() / 4),
              4 * Peak(w.samples, w.samples.size() * 3 / 4, w.samples.size()));
    EXPECT_EQ(w.samples.back(), 0);
}

TEST(Sound, FilesAreWhatTheToolSynthesises) {
    EXPECT_EQ(zk::test::Bytes(zk::test::ReadAll(zk::test::GameFile("w1.wav"))),
              zk::art::EncodeWav(zk::art::FanfareSamples(), zk::art::SampleRate));
    EXPECT_EQ(zk::test::Bytes(zk::test::ReadAll(zk::test::GameFile("w2.wav"))),
              zk::art::EncodeWav(zk::art::ClickSamples(), zk::art::SampleRate));
}

} // namespace
