// The building blocks every clip is made from: a sample buffer, noise, oscillators, envelopes,
// filters, notes and bells, and the finishing steps that keep a clip clean at both ends.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

// A clip under construction: samples from -1 to 1 at one rate.
struct Sound {
    int rate;
    std::vector<double> samples;
    // A looping clip wraps writes past its end round to its start, so that tails carry
    // across the seam exactly as they would when the clip plays again.
    bool loops = false;
};

Sound MakeSound(int rate, int count, bool loops = false);
double TimeOf(const Sound& sound, int i);
int SampleAt(const Sound& sound, double seconds);
int Length(const Sound& sound);
double Duration(const Sound& sound);
void AddAt(Sound& sound, int i, double value);

// White noise from a fixed seed, so every build writes the same clips.
struct Noise {
    uint32_t state;
};
double NextNoise(Noise& noise);
// A uniform number from 0 to 1, for the random choices inside a clip.
double NextUniform(Noise& noise);

// An oscillator's place in its cycle (0 to 1) and how far it moved in the last sample.
struct Phase {
    double cycle = 0;
    double step = 0;
};
void Advance(Phase& phase, double hz, int rate);
double Sine(const Phase& phase);
double Triangle(const Phase& phase);
// Saw and pulse are band-limited: at 11127 Hz a naive edge folds into a hiss.
double Saw(const Phase& phase);
// Zero-mean whatever the duty, so narrow pulses add no offset.
double Pulse(const Phase& phase, double duty);

// 1 at t = 0, halving every halfLife seconds.
double Decay(double t, double halfLife);
// From `from` to `to` as x goes from 0 to 1, evenly in pitch rather than in hertz.
double Glide(double from, double to, double x);
// A smooth rise and fall over x from 0 to 1; 0 outside.
double Hump(double x);
// Rises to 1 at x = peak and falls back, starting and ending flat, so that even a sharp
// swell starts without a click.
double Swell(double x, double peak);

struct Adsr {
    double attack, decay, sustain, release;
};
// The level of a note held for `held` seconds, at t seconds after its start.
double Envelope(const Adsr& shape, double t, double held);
// How long a note held for `held` seconds keeps sounding.
double Sounding(const Adsr& shape, double held);

struct OnePole {
    double z = 0;
};
double Lowpass(OnePole& pole, double x, double hz, int rate);
double Highpass(OnePole& pole, double x, double hz, int rate);

// State-variable filter: stays stable however fast its cutoff sweeps.
struct Svf {
    double ic1 = 0, ic2 = 0;
};
struct SvfOut {
    double low, band, high;
};
SvfOut Filter(Svf& svf, double x, double hz, double q, int rate);

double NoteHz(double midi);

// Note names as MIDI numbers; "s" is a sharp.
// clang-format off
enum Pitch : int {
    Rest = 0,
    C2 = 36, Cs2, D2, Ds2, E2, F2, Fs2, G2, Gs2, A2, As2, B2,
    C3, Cs3, D3, Ds3, E3, F3, Fs3, G3, Gs3, A3, As3, B3,
    C4, Cs4, D4, Ds4, E4, F4, Fs4, G4, Gs4, A4, As4, B4,
    C5, Cs5, D5, Ds5, E5, F5, Fs5, G5, Gs5, A5, As5, B5,
    C6, Cs6, D6, Ds6, E6, F6, Fs6, G6, Gs6, A6, As6, B6,
    C7, Cs7, D7, Ds7, E7, F7, Fs7, G7, Gs7, A7, As7, B7,
};
// clang-format on

enum class Wave { Triangle, Saw, Pulse };
struct Instrument {
    Wave wave;
    double duty;
    Adsr shape;
    double vibratoHz = 0;
    double vibratoSemitones = 0;
    // Vibrato creeps in after this long, as a player leans into a held note.
    double vibratoDelay = 0.15;
};
void PlayNote(Sound& sound, const Instrument& instrument, double midi, double start, double held,
              double gain);

// A melody line: each tone lasts `steps` steps of the line's beat grid.
struct Tone {
    int pitch;
    int steps;
};
// Plays the tones one after another from `start`; returns the time after the last one.
// `legato` is the part of each step the note is held; the rest is its release.
double PlayLine(Sound& sound, const Instrument& instrument, std::span<const Tone> line,
                double start, double stepSeconds, double gain, double legato = 0.85);
constexpr int Steps(std::span<const Tone> line) {
    int steps = 0;
    for (const Tone& tone : line) steps += tone.steps;
    return steps;
}

// A struck bell or chime: inharmonic partials, the high ones dying first.
void Strike(Sound& sound, double start, double hz, double halfLife, double gain);

// The drum kit of the tunes.
void Kick(Sound& sound, double start, double gain);
void Snare(Sound& sound, Noise& noise, double start, double gain);
// A hi-hat when short, a crash when long.
void Cymbal(Sound& sound, Noise& noise, double start, double halfLife, double gain);

// The finish of every one-shot effect: no offset, soft edges, the peak at `peak`.
void RemoveDc(Sound& sound);
void FadeEdges(Sound& sound, double fadeIn, double fadeOut);
void Normalize(Sound& sound, double peak);
void Finish(Sound& sound, double fadeOut = 0.01, double peak = 0.9);
