#include <string>

#include "app/flow.h"
#include "app/frame.h"
#include "enemies/effects.h"
#include "enemies/enemies.h"
#include "platform/sound.h"
#include "players/objects.h"
#include "tools/png.h"
#include "tools/sim/sim.h"

namespace {

std::vector<TraceRow>* Rows = nullptr;
FILE* Out = nullptr;
RowSink Sink;

// Reads the game's state; never changes it.
TraceRow Snapshot() {
    TraceRow r;
    r.t = GetTickCount();
    r.tick = FrameCounter;
    r.mode = GameMode;
    r.phase = PlayPhase;
    r.mission = MissionIndex;
    r.p1 = PlayerScore[0];
    r.p2 = PlayerScore[1];
    r.hi = HighScore;
    r.damage = DamageCount;
    r.dish = DishState;
    r.gauge = killGauge;
    r.enemies = EnemyCount();
    r.objects = ObjectCount();
    r.popups = PopupCount();
    for (int voice : HeadlessTakeStartedVoices())
        if (int id = ClipIdOfVoice(voice)) r.cues.push_back(id);
    return r;
}

void Emit(const TraceRow& row) {
    if (Rows) Rows->push_back(row);
    if (Sink) Sink(row);
    if (Out) std::fprintf(Out, "%s\n", TraceJson(row).c_str());
}

std::string Escaped(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == '"' || c == '\\') out += '\\';
        if (static_cast<unsigned char>(c) < 0x20) continue;
        out += c;
    }
    return out;
}

} // namespace

std::string TraceJson(const TraceRow& r) {
    std::string cues;
    for (size_t i = 0; i < r.cues.size(); ++i) cues += (i ? "," : "") + std::to_string(r.cues[i]);
    char buf[512];
    std::snprintf(buf, sizeof buf,
                  "{\"t\":%u,\"tick\":%u,\"mode\":\"%s\",\"phase\":\"%s\",\"mission\":%d,"
                  "\"p1\":%d,\"p2\":%d,\"hi\":%d,\"damage\":%d,\"dish\":%d,\"gauge\":%d,"
                  "\"enemies\":%d,\"objects\":%d,\"popups\":%d,\"cues\":[%s]",
                  r.t, r.tick, ModeName(r.mode), PhaseName(r.phase), r.mission, r.p1, r.p2, r.hi,
                  r.damage, r.dish, r.gauge, r.enemies, r.objects, r.popups, cues.c_str());
    std::string line = buf;
    if (r.key >= 0) line += ",\"key\":" + std::to_string(r.key);
    return line + "}";
}

void StartTrace(std::vector<TraceRow>* rows, FILE* out, const RowSink& onRow) {
    Rows = rows;
    Out = out;
    Sink = onRow;
    HeadlessOnTick = [] {
        Emit(Snapshot());
        AutoplayTick();
    };
    HeadlessOnKey = [](int vk) {
        TraceRow row = Snapshot();
        row.key = vk;
        Emit(row);
    };
}

void TraceBox(const HeadlessBox& box, FILE* out) {
    if (out)
        std::fprintf(out, "{\"box\":{\"title\":\"%s\",\"text\":\"%s\"}}\n", Escaped(box.title).c_str(),
                     Escaped(box.text).c_str());
}

void TraceExit(int code, FILE* out) {
    if (out) std::fprintf(out, "{\"exit\":%d}\n", code);
}

bool WriteShot(const std::string& path) {
    const std::vector<uint8_t>& screen = HeadlessScreen();
    const HostColor* palette = HeadlessScreenPalette();
    std::vector<uint8_t> rgb(640 * 480 * 3);
    for (size_t i = 0; i < screen.size(); ++i) {
        const HostColor& c = palette[screen[i]];
        rgb[3 * i] = c.r;
        rgb[3 * i + 1] = c.g;
        rgb[3 * i + 2] = c.b;
    }
    return WritePng(path, 640, 480, rgb);
}
