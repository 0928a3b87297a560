// The sounds of play: the swat and its hits, the flies, the carrier, the dish and the boss.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "assets/synth.h"

namespace {

// A bubble closing: a short chirp rising in pitch, the heart of every wet sound here.
void AddBubble(Sound& s, double start, double hz, double length, double gain) {
    int first = SampleAt(s, start);
    int count = SampleAt(s, length);
    Phase phase;
    for (int i = 0; i < count; ++i) {
        double x = double(i) / count;
        Advance(phase, Glide(hz, 2.5 * hz, std::sqrt(x)), s.rate);
        AddAt(s, first + i, gain * Swell(x, 0.2) * Sine(phase));
    }
}

// A soft body bursting: a wet rush of noise closing down over a low squelch, then drips.
void AddSplat(Sound& s, double start, uint32_t seed, int drips, double gain) {
    Noise noise{seed};
    Svf wet;
    Phase squelch;
    int first = SampleAt(s, start);
    int count = SampleAt(s, 0.4);
    for (int i = 0; i < count; ++i) {
        double t = TimeOf(s, i);
        double closing = std::min(1.0, t / 0.25);
        double rush = Filter(wet, NextNoise(noise), Glide(3500, 250, closing), 1.2, s.rate).low;
        Advance(squelch, Glide(160, 45, std::min(1.0, t / 0.12)), s.rate);
        double body = Decay(t, 0.045) * rush + 0.7 * Decay(t, 0.035) * Sine(squelch);
        AddAt(s, first + i, gain * std::min(1.0, t / 0.002) * body);
    }
    for (int d = 0; d < drips; ++d) {
        double after = 0.08 + 0.4 * NextUniform(noise);
        double hz = Glide(450, 1000, NextUniform(noise));
        AddBubble(s, start + after, hz, 0.025, gain * 0.3 * (1 - after));
    }
}

} // namespace

Sound Swish(int rate, int count) {
    // Air torn by the swatter: noise through a narrow band that climbs as the swing speeds up.
    Sound s = MakeSound(rate, count);
    Noise noise{105};
    Svf band;
    for (int i = 0; i < count; ++i) {
        double x = double(i) / count;
        double air = Filter(band, NextNoise(noise), Glide(500, 3600, x), 1.8, rate).band;
        s.samples[i] = Hump(std::pow(x, 1.6)) * air;
    }
    Finish(s);
    return s;
}

Sound Thwack(int rate, int count) {
    // The mesh slapping a hard shell: a click of noise over a quick, falling knock.
    Sound s = MakeSound(rate, count);
    Noise noise{133};
    OnePole tone;
    Phase knock;
    for (int i = 0; i < count; ++i) {
        double t = TimeOf(s, i);
        Advance(knock, Glide(260, 90, std::min(1.0, t / 0.05)), rate);
        double click = Lowpass(tone, NextNoise(noise), 4000, rate);
        s.samples[i] = Decay(t, 0.018) * Sine(knock) + 1.5 * Decay(t, 0.007) * click;
    }
    Finish(s);
    return s;
}

Sound ChimeSplat(int rate, int count) {
    // A clean hit deserves a reward: the splat rings out in two bright chimes.
    Sound s = MakeSound(rate, count);
    AddSplat(s, 0, 118, 0, 0.8);
    Strike(s, 0.02, NoteHz(E6), 0.16, 0.55);
    Strike(s, 0.10, NoteHz(B6), 0.2, 0.45);
    Strike(s, 0.10, NoteHz(E7), 0.12, 0.2);
    Finish(s, 0.06);
    return s;
}

Sound Splat(int rate, int count) {
    Sound s = MakeSound(rate, count);
    AddSplat(s, 0, 123, 6, 1);
    Finish(s, 0.05);
    return s;
}

Sound Buzz(int rate, int count) {
    // A fly coming in from afar: a thin buzz that swells, wavers and drops in pitch as it
    // passes close by.
    Sound s = MakeSound(rate, count);
    Noise noise{116};
    OnePole wander;
    Svf body;
    Phase wing;
    Phase flutter;
    for (int i = 0; i < count; ++i) {
        double x = double(i) / count;
        double drift = 60 * Lowpass(wander, NextNoise(noise), 3, rate);
        double passing = 1 + 0.06 * std::cos(std::numbers::pi * x);
        Advance(wing, 210 * passing * std::exp2(drift / 12), rate);
        Advance(flutter, 23, rate);
        double tone = 0.6 * Saw(wing) + 0.4 * Pulse(wing, 0.3);
        double voice = Filter(body, tone, 1400, 2.5, rate).band + 0.3 * tone;
        double swell = std::min(1.0, x / 0.4);
        double level = swell * swell * (1 - 0.4 * std::max(0.0, x - 0.6));
        s.samples[i] = level * (0.85 + 0.15 * Sine(flutter)) * voice;
    }
    Finish(s, 0.08);
    return s;
}

Sound Drone(int rate, int count) {
    // The carrier's heavy wings: two low saws a beat apart and their fifth, darkened, throbbing.
    Sound s = MakeSound(rate, count);
    Phase low, beating, fifth, throb;
    OnePole dark1, dark2;
    for (int i = 0; i < count; ++i) {
        double t = TimeOf(s, i);
        Advance(low, 55, rate);
        Advance(beating, 55.9, rate);
        Advance(fifth, 82.7, rate);
        Advance(throb, 14, rate);
        double tone = Saw(low) + Saw(beating) + 0.5 * Saw(fifth);
        double dark = Lowpass(dark2, Lowpass(dark1, tone, 500, rate), 500, rate);
        s.samples[i] = std::min(1.0, t / 0.06) * (0.75 + 0.25 * Sine(throb)) * dark;
    }
    Finish(s, 0.12);
    return s;
}

Sound Plop(int rate, int count) {
    // The brood let go: one fat bubble over a soft thud.
    Sound s = MakeSound(rate, count);
    AddBubble(s, 0.005, 300, 0.07, 1);
    Phase thud;
    for (int i = 0; i < count; ++i) {
        double t = TimeOf(s, i);
        Advance(thud, 90, rate);
        s.samples[i] += 0.5 * std::min(1.0, t / 0.003) * Decay(t, 0.02) * Sine(thud);
    }
    Finish(s, 0.02);
    return s;
}

Sound Whistle(int rate, int count) {
    // Something dropping from a height: a whistle falling in pitch, with a breath of air.
    Sound s = MakeSound(rate, count);
    Noise noise{115};
    Svf breath;
    Phase tone, wobble;
    for (int i = 0; i < count; ++i) {
        double x = double(i) / count;
        Advance(wobble, 6, rate);
        double hz = Glide(2200, 550, x) * (1 + 0.012 * Sine(wobble));
        Advance(tone, hz, rate);
        double air = Filter(breath, NextNoise(noise), hz, 6, rate).band;
        s.samples[i] = (0.7 + 0.3 * x) * (Sine(tone) + 0.25 * air);
    }
    Finish(s, 0.04);
    return s;
}

Sound Pling(int rate, int count) {
    // A caught fly: a short, high, pure note that snaps onto its pitch, and its octave.
    Sound s = MakeSound(rate, count);
    Phase note, octave;
    for (int i = 0; i < count; ++i) {
        double t = TimeOf(s, i);
        double hz = NoteHz(C7) * Glide(1.12, 1, std::min(1.0, t / 0.012));
        Advance(note, hz, rate);
        Advance(octave, 2 * hz, rate);
        double level = std::min(1.0, t / 0.002) * Decay(t, 0.045);
        s.samples[i] = level * (Sine(note) + 0.4 * Sine(octave));
    }
    Finish(s, 0.03);
    return s;
}

Sound Munch(int rate, int count) {
    // Jaws at work on the dish: three chomps, each a crunch and a closing "nom".
    constexpr double Chomps[] = {0.0, 0.19, 0.38};
    constexpr double ChompLength = 0.16;
    Sound s = MakeSound(rate, count);
    Noise noise{120};
    for (size_t k = 0; k < std::size(Chomps); ++k) {
        Svf crunch;
        OnePole mouth;
        Phase jaw;
        int first = SampleAt(s, Chomps[k]);
        int length = SampleAt(s, ChompLength);
        for (int i = 0; i < length; ++i) {
            double x = double(i) / length;
            double t = TimeOf(s, i);
            double bite = Filter(crunch, NextNoise(noise), 1100 + 250 * double(k), 1.5, rate).band;
            Advance(jaw, 125 - 12 * double(k), rate);
            double nom = Lowpass(mouth, Pulse(jaw, 0.35), Glide(1500, 250, x), rate);
            AddAt(s, first + i, 0.9 * Decay(t, 0.03) * bite + Hump(x) * nom);
        }
    }
    Finish(s, 0.03);
    return s;
}

Sound Alarm(int rate, int count) {
    // The dish's last warning: a two-tone siren whose halves are clean beeps, so that the
    // clip following itself frame after frame keeps up one steady nee-naw.
    constexpr double Tones[] = {988, 740};
    constexpr Adsr Beep = {0.006, 0, 1, 0.012};
    Sound s = MakeSound(rate, count);
    int half = count / 2;
    double held = double(half) / rate - 0.02;
    OnePole soft;
    Phase tone;
    for (int i = 0; i < count; ++i) {
        int k = std::min(1, i / half);
        double t = double(i - k * half) / rate;
        Advance(tone, Tones[k], rate);
        double beep = Envelope(Beep, t, held) * Pulse(tone, 0.5);
        s.samples[i] = Lowpass(soft, beep, 3500, rate);
    }
    // Held back: it sounds over everything else for as long as the dish is in danger.
    Finish(s, 0.01, 0.65);
    return s;
}

Sound Menace(int rate, int count) {
    // The boss's heartbeat: a heavy beat and a softer echo, a low root and its tritone
    // growling through a closing filter. Both beats die to silence inside the clip, so the
    // clip can follow itself every tick without a seam.
    constexpr double Beats[] = {0.0, 0.2};
    constexpr double Weights[] = {1, 0.6};
    constexpr double BeatLength = 0.19;
    Sound s = MakeSound(rate, count);
    for (size_t k = 0; k < std::size(Beats); ++k) {
        Phase root, tritone;
        OnePole growl;
        int first = SampleAt(s, Beats[k]);
        int length = SampleAt(s, BeatLength);
        for (int i = 0; i < length; ++i) {
            double x = double(i) / length;
            Advance(root, NoteHz(D2), rate);
            Advance(tritone, NoteHz(Gs2), rate);
            double tone = Pulse(root, 0.5) + 0.7 * Pulse(tritone, 0.5);
            double dark = Lowpass(growl, tone, Glide(900, 200, x), rate);
            AddAt(s, first + i, Weights[k] * Swell(x, 0.2) * dark);
        }
    }
    Finish(s);
    return s;
}

Sound Explosion(int rate, int count) {
    // The boss going up: a crack and a roar closing down to a rumble, a deep boom under it,
    // and sparks crackling away.
    Sound s = MakeSound(rate, count);
    Noise noise{121};
    Svf roar;
    OnePole rumble;
    Phase boom;
    for (int i = 0; i < count; ++i) {
        double t = TimeOf(s, i);
        double closing = std::min(1.0, t / 0.9);
        double blast = Filter(roar, NextNoise(noise), Glide(6000, 180, closing), 0.9, rate).low;
        double low = 8 * Lowpass(rumble, NextNoise(noise), 120, rate);
        Advance(boom, Glide(80, 28, std::min(1.0, t / 0.5)), rate);
        double spark = NextUniform(noise) < 0.02 * Decay(t, 0.3) ? NextNoise(noise) : 0;
        double body = Decay(t, 0.22) * blast + Decay(t, 0.45) * low +
                      0.9 * Decay(t, 0.18) * Sine(boom) + 0.6 * spark;
        s.samples[i] = std::min(1.0, t / 0.003) * body;
    }
    Finish(s, 0.12);
    return s;
}

Sound Sweep(int rate, int count) {
    // The bomb's and the rescue's magic: a chord of saws sweeping up through a resonant
    // filter that follows it, shimmering as it climbs.
    constexpr double RiseTime = 1.2;
    Sound s = MakeSound(rate, count);
    Svf filter;
    Phase root, fifth, shimmer;
    for (int i = 0; i < count; ++i) {
        double t = TimeOf(s, i);
        double hz = Glide(110, 880, std::min(1.0, t / RiseTime));
        Advance(root, hz, rate);
        Advance(fifth, 1.5 * hz, rate);
        Advance(shimmer, 11, rate);
        double tone = Filter(filter, Saw(root) + 0.6 * Saw(fifth), 2.5 * hz, 4, rate).low;
        double fall = t > RiseTime ? Decay(t - RiseTime, 0.08) : 1;
        s.samples[i] = std::min(1.0, t / 0.05) * fall * (0.8 + 0.2 * Sine(shimmer)) * tone;
    }
    Finish(s, 0.05);
    return s;
}
