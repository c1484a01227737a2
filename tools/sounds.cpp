#include "tools/sounds.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/wav_writer.h"

namespace tikora {
namespace {

struct Partial {
    double ratio;  // frequency relative to the stroke's pitch
    double amplitude;
    double decay;  // seconds for the partial to fall to 1/e
};

size_t SampleCount(double seconds) { return static_cast<size_t>(seconds * kWavSampleRate); }

// Adds one bell stroke of the given pitch, starting at `start` seconds.
void AddStroke(std::vector<double>& out, double start, double pitch, const std::vector<Partial>& partials) {
    constexpr double kAttack = 0.004;  // a short ramp instead of a click
    for (size_t i = SampleCount(start); i < out.size(); ++i) {
        double t = static_cast<double>(i) / kWavSampleRate - start;
        double attack = std::min(1.0, t / kAttack);
        double value = 0;
        for (const Partial& p : partials)
            value += p.amplitude * std::exp(-t / p.decay) * std::sin(2 * std::numbers::pi * pitch * p.ratio * t);
        out[i] += attack * value;
    }
}

// Fades the last `seconds` out along a half cosine so the sound ends in silence.
void FadeOut(std::vector<double>& out, double seconds) {
    size_t length = std::min(out.size(), SampleCount(seconds));
    size_t first = out.size() - length;
    for (size_t i = first; i < out.size(); ++i) {
        double x = static_cast<double>(i - first) / static_cast<double>(length);
        out[i] *= 0.5 * (1 + std::cos(std::numbers::pi * x));
    }
}

std::vector<int16_t> Normalised(const std::vector<double>& signal, double peak) {
    double loudest = 0;
    for (double v : signal) loudest = std::max(loudest, std::abs(v));
    double scale = loudest > 0 ? peak * 32767.0 / loudest : 0;
    std::vector<int16_t> samples(signal.size());
    std::transform(signal.begin(), signal.end(), samples.begin(),
                   [scale](double v) { return static_cast<int16_t>(std::lround(v * scale)); });
    return samples;
}

}  // namespace

std::vector<int16_t> SynthesizeChime() {
    // A tuned chime bar: nearly harmonic partials with a little inharmonic shimmer.
    const std::vector<Partial> partials = {
        {1.0, 1.0, 0.55}, {2.0, 0.32, 0.32}, {3.01, 0.14, 0.18}, {4.16, 0.07, 0.1}, {5.43, 0.03, 0.06}};
    std::vector<double> signal(SampleCount(1.4), 0.0);
    AddStroke(signal, 0.0, 783.99, partials);   // G5
    AddStroke(signal, 0.42, 659.26, partials);  // E5
    FadeOut(signal, 0.2);
    return Normalised(signal, 0.7);
}

std::vector<int16_t> SynthesizeRing() {
    // Two small bells a little apart in pitch, struck in turn by one hammer, 24 strokes a
    // second; each stroke rings on under the next, which gives the rattling trill.
    const std::vector<Partial> partials = {{1.0, 1.0, 0.12}, {1.59, 0.5, 0.08}, {2.36, 0.3, 0.05}, {3.12, 0.15, 0.03}};
    constexpr double kStrokeInterval = 1.0 / 24;
    constexpr double kStrokesUntil = 0.72;
    std::vector<double> signal(SampleCount(0.9), 0.0);
    int stroke = 0;
    for (double t = 0; t < kStrokesUntil; t += kStrokeInterval, ++stroke)
        AddStroke(signal, t, stroke % 2 == 0 ? 1976.0 : 2217.0, partials);
    FadeOut(signal, 0.1);
    return Normalised(signal, 0.8);
}

}  // namespace tikora
