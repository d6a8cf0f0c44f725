#include "Sound.h"

#include "art/Art.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zk::art {
namespace {

constexpr double TwoPi = 2.0 * std::numbers::pi;

// Scales a buffer so that its loudest sample reaches `peak` (0..1) and
// converts it to 16-bit samples.
std::vector<std::int16_t> ToPcm(const std::vector<double>& buffer, double peak) {
    double loudest = 0.0;
    for (double v : buffer) {
        loudest = std::max(loudest, std::abs(v));
    }
    const double scale = loudest > 0.0 ? peak * 32767.0 / loudest : 0.0;
    std::vector<std::int16_t> out;
    out.reserve(buffer.size());
    for (double v : buffer) {
        out.push_back(
            static_cast<std::int16_t>(std::lround(std::clamp(v * scale, -32767.0, 32767.0))));
    }
    return out;
}

// A brass-like voice: harmonics whose brightness follows the envelope, a
// touch of vibrato once the note has settled.
void Brass(std::vector<double>& buffer, double start, double length, double freq, double gain) {
    const int first = static_cast<int>(start * SampleRate);
    const int count = static_cast<int>(length * SampleRate);
    for (int i = 0; i < count && first + i < static_cast<int>(buffer.size()); ++i) {
        const double t = static_cast<double>(i) / SampleRate;
        const double attack = std::min(1.0, t / 0.018);
        const double release = std::min(1.0, (length - t) / 0.06);
        const double env = attack * std::max(0.0, release) * (0.78 + 0.22 * std::exp(-t * 9.0));
        const double vibrato = 1.0 + 0.004 * std::sin(TwoPi * 5.5 * t) * std::min(1.0, t / 0.25);
        const double phase = TwoPi * freq * vibrato * t;
        double v = 0.0;
        const double bright = 0.55 + 0.45 * env;
        for (int h = 1; h <= 8; ++h) {
            v += std::sin(phase * h) * std::pow(bright, h - 1) / h;
        }
        buffer[static_cast<std::size_t>(first + i)] += gain * env * v;
    }
}

} // namespace

std::vector<std::int16_t> FanfareSamples() {
    // G4 C5 E5 G5, then a held C major chord crowned by C6: 1.32 s in all.
    const double total = 1.32;
    std::vector<double> buffer(static_cast<std::size_t>(total * SampleRate), 0.0);
    const double notes[] = {392.00, 523.25, 659.25, 783.99};
    for (int i = 0; i < 4; ++i) {
        Brass(buffer, 0.11 * i, 0.14, notes[i], 0.8);
    }
    const double chordStart = 0.44;
    const double chordLength = total - chordStart;
    Brass(buffer, chordStart, chordLength, 523.25, 0.5);
    Brass(buffer, chordStart, chordLength, 659.25, 0.45);
    Brass(buffer, chordStart, chordLength, 783.99, 0.45);
    Brass(buffer, chordStart, chordLength, 1046.50, 0.7);
    // a gentle fade over the last 0.45 s
    const std::size_t fadeFrom = buffer.size() - static_cast<std::size_t>(0.45 * SampleRate);
    for (std::size_t i = fadeFrom; i < buffer.size(); ++i) {
        const double f =
            static_cast<double>(buffer.size() - i) / static_cast<double>(buffer.size() - fadeFrom);
        buffer[i] *= f * f;
    }
    return ToPcm(buffer, 0.72);
}

std::vector<std::int16_t> ClickSamples() {
    // A wooden "tock": two damped partials and a very short, softened burst
    // of noise; 70 ms.
    const double total = 0.07;
    std::vector<double> buffer(static_cast<std::size_t>(total * SampleRate), 0.0);
    double lowpass = 0.0;
    for (std::size_t i = 0; i < buffer.size(); ++i) {
        const double t = static_cast<double>(i) / SampleRate;
        const double attack = std::min(1.0, t / 0.0015);
        const double body = std::sin(TwoPi * 920.0 * t) * std::exp(-t / 0.009);
        const double low = 0.7 * std::sin(TwoPi * 330.0 * t) * std::exp(-t / 0.016);
        const double noise = (Unit(Hash(static_cast<std::uint32_t>(i), 2024)) - 0.5) * 2.0;
        lowpass += (noise - lowpass) * 0.25;
        const double burst = 0.5 * lowpass * std::exp(-t / 0.003);
        double v = attack * (body + low + burst);
        // fade the tail to silence so that the end makes no click of its own
        const double remaining = total - t;
        if (remaining < 0.01) {
            v *= remaining / 0.01;
        }
        buffer[i] = v;
    }
    return ToPcm(buffer, 0.42);
}

std::vector<std::uint8_t> EncodeWav(const std::vector<std::int16_t>& samples, int sampleRate) {
    std::vector<std::uint8_t> out;
    out.reserve(44 + samples.size() * 2);
    auto put16 = [&out](std::uint32_t v) {
        out.push_back(static_cast<std::uint8_t>(v & 0xFF));
        out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
    };
    auto put32 = [&](std::uint32_t v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    auto tag = [&out](const char* t) {
        for (int i = 0; i < 4; ++i) {
            out.push_back(static_cast<std::uint8_t>(t[i]));
        }
    };
    const auto dataSize = static_cast<std::uint32_t>(samples.size() * 2);
    tag("RIFF");
    put32(36 + dataSize);
    tag("WAVE");
    tag("fmt ");
    put32(16);
    put16(1); // PCM
    put16(1); // mono
    put32(static_cast<std::uint32_t>(sampleRate));
    put32(static_cast<std::uint32_t>(sampleRate * 2)); // bytes per second
    put16(2);                                          // block align
    put16(16);                                         // bits per sample
    tag("data");
    put32(dataSize);
    for (std::int16_t s : samples) {
        put16(static_cast<std::uint16_t>(s));
    }
    return out;
}

} // namespace zk::art
