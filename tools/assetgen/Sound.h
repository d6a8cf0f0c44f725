// The two wave sounds, synthesised sample by sample: "w1.wav", a short bright
// fanfare for a solved level, and "w2.wav", a soft click for every move.
// Mono, 16-bit PCM, 44100 Hz; no randomness beyond a fixed-seed noise source.
#pragma once

#include <cstdint>
#include <vector>

namespace zk::art {

inline constexpr int SampleRate = 44100;

std::vector<std::int16_t> FanfareSamples();
std::vector<std::int16_t> ClickSamples();

// A RIFF/WAVE file (PCM, 16-bit, mono) holding the samples.
std::vector<std::uint8_t> EncodeWav(const std::vector<std::int16_t>& samples, int sampleRate);

} // namespace zk::art
