// Every clip by its WAV id: which sound it holds and how its file is laid out.
#include "assets/assets.h"
#include "assets/bmp.h"
#include "assets/synth.h"
#include "assets/wave.h"

// The sounds of play, in clips_battle.cpp.
Sound Swish(int rate, int count);
Sound Thwack(int rate, int count);
Sound ChimeSplat(int rate, int count);
Sound Splat(int rate, int count);
Sound Buzz(int rate, int count);
Sound Drone(int rate, int count);
Sound Plop(int rate, int count);
Sound Whistle(int rate, int count);
Sound Pling(int rate, int count);
Sound Munch(int rate, int count);
Sound Alarm(int rate, int count);
Sound Menace(int rate, int count);
Sound Explosion(int rate, int count);
Sound Sweep(int rate, int count);
// The little tunes and the cheer, in clips_jingles.cpp.
Sound PowerUp(int rate, int count);
Sound Fanfare(int rate, int count);
Sound GameOver(int rate, int count);
Sound Bonus(int rate, int count);
Sound Cheer(int rate, int count);
// The title music, in clips_music.cpp.
Sound TitleTune(int rate, int count);

namespace {

struct ClipMaker {
    int id;
    Sound (*make)(int rate, int count);
    WaveLayout layout;
};

// The title tune's file is laid out the way a sound editor of the day saved it, and the
// fanfare still carries the name it was given; the game steps over both extras.
constexpr ClipMaker ClipMakers[] = {
    {112, Alarm, {}},
    {113, Menace, {}},
    {114, Drone, {}},
    {115, Whistle, {}},
    {116, Buzz, {}},
    {117, Plop, {}},
    {105, Swish, {}},
    {118, ChimeSplat, {}},
    {133, Thwack, {}},
    {119, Bonus, {}},
    {120, Munch, {}},
    {121, Explosion, {}},
    {122, Sweep, {}},
    {123, Splat, {}},
    {124, GameOver, {}},
    {125, PowerUp, {}},
    {126, Pling, {}},
    {127, Cheer, {}},
    {128, Fanfare, {false, "Mission Fanfare"}},
    {134, TitleTune, {true, nullptr}},
};

} // namespace

bool WriteClip(int id, const std::string& path) {
    for (const ClipFormat& format : ClipFormats) {
        if (format.id != id) continue;
        for (const ClipMaker& maker : ClipMakers) {
            if (maker.id != id) continue;
            Sound sound = maker.make(format.rate, format.dataBytes / (format.bits / 8));
            return WriteFile(path,
                             EncodeWave(format.bits, format.rate, sound.samples, maker.layout));
        }
    }
    return false;
}
