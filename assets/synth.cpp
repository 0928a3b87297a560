#include "assets/synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double Pi = std::numbers::pi;

// Rounds off the corner an oscillator's jump makes inside one sample, so the jump carries
// no harmonics above the rate's reach.
double PolyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1;
    }
    if (t > 1 - dt) {
        t = (t - 1) / dt;
        return t * t + t + t + 1;
    }
    return 0;
}

double Level(const Adsr& shape, double t) {
    if (t < shape.attack) return t / shape.attack;
    if (t < shape.attack + shape.decay)
        return 1 - (1 - shape.sustain) * (t - shape.attack) / shape.decay;
    return shape.sustain;
}

double WaveAt(const Instrument& instrument, const Phase& phase) {
    switch (instrument.wave) {
    case Wave::Triangle:
        return Triangle(phase);
    case Wave::Saw:
        return Saw(phase);
    case Wave::Pulse:
        return Pulse(phase, instrument.duty);
    }
    return 0;
}

} // namespace

Sound MakeSound(int rate, int count, bool loops) {
    return Sound{rate, std::vector<double>(size_t(count), 0.0), loops};
}

double TimeOf(const Sound& sound, int i) {
    return double(i) / sound.rate;
}

int SampleAt(const Sound& sound, double seconds) {
    return int(std::lround(seconds * sound.rate));
}

int Length(const Sound& sound) {
    return int(sound.samples.size());
}

double Duration(const Sound& sound) {
    return double(Length(sound)) / sound.rate;
}

void AddAt(Sound& sound, int i, double value) {
    int n = Length(sound);
    if (sound.loops) i = ((i % n) + n) % n;
    if (i >= 0 && i < n) sound.samples[size_t(i)] += value;
}

double NextNoise(Noise& noise) {
    return NextUniform(noise) * 2 - 1;
}

double NextUniform(Noise& noise) {
    // xorshift32: tiny, fast, and the same on every machine.
    uint32_t x = noise.state;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    noise.state = x;
    return double(x) / 4294967295.0;
}

void Advance(Phase& phase, double hz, int rate) {
    phase.step = hz / rate;
    phase.cycle += phase.step;
    phase.cycle -= std::floor(phase.cycle);
}

double Sine(const Phase& phase) {
    return std::sin(2 * Pi * phase.cycle);
}

double Triangle(const Phase& phase) {
    double t = phase.cycle;
    return t < 0.25 ? 4 * t : t < 0.75 ? 2 - 4 * t : 4 * t - 4;
}

double Saw(const Phase& phase) {
    return 2 * phase.cycle - 1 - PolyBlep(phase.cycle, phase.step);
}

double Pulse(const Phase& phase, double duty) {
    double t = phase.cycle;
    double fall = t + 1 - duty;
    double value = (t < duty ? 1.0 : -1.0) + PolyBlep(t, phase.step) -
                   PolyBlep(fall - std::floor(fall), phase.step);
    return value - (2 * duty - 1);
}

double Decay(double t, double halfLife) {
    return std::exp2(-t / halfLife);
}

double Glide(double from, double to, double x) {
    return from * std::pow(to / from, x);
}

double Hump(double x) {
    return x <= 0 || x >= 1 ? 0 : std::sin(Pi * x);
}

double Swell(double x, double peak) {
    if (x <= 0 || x >= 1) return 0;
    double part = x < peak ? x / peak : 1 + (x - peak) / (1 - peak);
    return 0.5 - 0.5 * std::cos(Pi * part);
}

double Envelope(const Adsr& shape, double t, double held) {
    if (t < 0) return 0;
    if (t < held) return Level(shape, t);
    double released = (t - held) / shape.release;
    return released >= 1 ? 0 : Level(shape, held) * (1 - released);
}

double Sounding(const Adsr& shape, double held) {
    return held + shape.release;
}

double Lowpass(OnePole& pole, double x, double hz, int rate) {
    double a = 1 - std::exp(-2 * Pi * hz / rate);
    pole.z += a * (x - pole.z);
    return pole.z;
}

double Highpass(OnePole& pole, double x, double hz, int rate) {
    return x - Lowpass(pole, x, hz, rate);
}

SvfOut Filter(Svf& svf, double x, double hz, double q, int rate) {
    double g = std::tan(Pi * std::min(hz, 0.45 * rate) / rate);
    double k = 1 / q;
    double a1 = 1 / (1 + g * (g + k));
    double a2 = g * a1;
    double a3 = g * a2;
    double v3 = x - svf.ic2;
    double v1 = a1 * svf.ic1 + a2 * v3;
    double v2 = svf.ic2 + a2 * svf.ic1 + a3 * v3;
    svf.ic1 = 2 * v1 - svf.ic1;
    svf.ic2 = 2 * v2 - svf.ic2;
    return {v2, v1, x - k * v1 - v2};
}

double NoteHz(double midi) {
    return 440 * std::exp2((midi - 69) / 12);
}

void PlayNote(Sound& sound, const Instrument& instrument, double midi, double start, double held,
              double gain) {
    int first = SampleAt(sound, start);
    int count = SampleAt(sound, Sounding(instrument.shape, held));
    Phase phase;
    Phase vibrato;
    for (int i = 0; i < count; ++i) {
        double t = TimeOf(sound, i);
        Advance(vibrato, instrument.vibratoHz, sound.rate);
        double depth = t > instrument.vibratoDelay ? instrument.vibratoSemitones : 0;
        Advance(phase, NoteHz(midi + depth * Sine(vibrato)), sound.rate);
        AddAt(sound, first + i,
              gain * Envelope(instrument.shape, t, held) * WaveAt(instrument, phase));
    }
}

double PlayLine(Sound& sound, const Instrument& instrument, std::span<const Tone> line,
                double start, double stepSeconds, double gain, double legato) {
    double t = start;
    for (const Tone& tone : line) {
        double length = tone.steps * stepSeconds;
        if (tone.pitch != Rest) PlayNote(sound, instrument, tone.pitch, t, length * legato, gain);
        t += length;
    }
    return t;
}

void Strike(Sound& sound, double start, double hz, double halfLife, double gain) {
    // The partials of a struck bar: a chime rather than a pipe.
    constexpr double Ratios[] = {1, 2.76, 5.40, 8.93};
    constexpr double Weights[] = {1, 0.45, 0.22, 0.1};
    int first = SampleAt(sound, start);
    int count = std::min(Length(sound), SampleAt(sound, 12 * halfLife));
    for (size_t p = 0; p < std::size(Ratios); ++p) {
        double partial = hz * Ratios[p];
        if (partial > 0.45 * sound.rate) break;
        Phase phase;
        for (int i = 0; i < count; ++i) {
            double t = TimeOf(sound, i);
            Advance(phase, partial, sound.rate);
            double onset = std::min(1.0, t / 0.001);
            AddAt(sound, first + i,
                  gain * Weights[p] * onset * Decay(t, halfLife / Ratios[p]) * Sine(phase));
        }
    }
}

void Kick(Sound& sound, double start, double gain) {
    int first = SampleAt(sound, start);
    int count = SampleAt(sound, 0.18);
    Phase phase;
    for (int i = 0; i < count; ++i) {
        double t = TimeOf(sound, i);
        Advance(phase, Glide(150, 45, std::min(1.0, t / 0.06)), sound.rate);
        double level = std::min(1.0, t / 0.002) * Decay(t, 0.04) * (1 - t / 0.18);
        AddAt(sound, first + i, gain * level * Sine(phase));
    }
}

void Snare(Sound& sound, Noise& noise, double start, double gain) {
    int first = SampleAt(sound, start);
    int count = SampleAt(sound, 0.16);
    Phase body;
    Svf rattle;
    for (int i = 0; i < count; ++i) {
        double t = TimeOf(sound, i);
        Advance(body, 190, sound.rate);
        double snap = Filter(rattle, NextNoise(noise), 2500, 0.8, sound.rate).band;
        double level = std::min(1.0, t / 0.001) * (1 - t / 0.16);
        AddAt(sound, first + i,
              gain * level * (Decay(t, 0.03) * snap + 0.5 * Decay(t, 0.015) * Sine(body)));
    }
}

void Cymbal(Sound& sound, Noise& noise, double start, double halfLife, double gain) {
    int first = SampleAt(sound, start);
    int count = SampleAt(sound, 8 * halfLife);
    OnePole pole;
    for (int i = 0; i < count; ++i) {
        double t = TimeOf(sound, i);
        double hiss = Highpass(pole, NextNoise(noise), 0.3 * sound.rate, sound.rate);
        double level = std::min(1.0, t / 0.001) * Decay(t, halfLife) * (1 - double(i) / count);
        AddAt(sound, first + i, gain * level * hiss);
    }
}

void RemoveDc(Sound& sound) {
    // A filter's settling would break a loop's seam; a loop's offset is its plain mean.
    if (sound.loops) {
        double mean = 0;
        for (double s : sound.samples) mean += s;
        mean /= Length(sound);
        for (double& s : sound.samples) s -= mean;
        return;
    }
    OnePole pole;
    for (double& s : sound.samples) s = Highpass(pole, s, 20, sound.rate);
}

void FadeEdges(Sound& sound, double fadeIn, double fadeOut) {
    int n = Length(sound);
    int in = std::min(n, SampleAt(sound, fadeIn));
    int out = std::min(n, SampleAt(sound, fadeOut));
    for (int i = 0; i < in; ++i) sound.samples[size_t(i)] *= 0.5 - 0.5 * std::cos(Pi * i / in);
    for (int i = 0; i < out; ++i)
        sound.samples[size_t(n - 1 - i)] *= 0.5 - 0.5 * std::cos(Pi * i / out);
}

void Normalize(Sound& sound, double peak) {
    double loudest = 0;
    for (double s : sound.samples) loudest = std::max(loudest, std::abs(s));
    if (loudest == 0) return;
    for (double& s : sound.samples) s *= peak / loudest;
}

void Finish(Sound& sound, double fadeOut, double peak) {
    RemoveDc(sound);
    FadeEdges(sound, 0.002, fadeOut);
    Normalize(sound, peak);
}
