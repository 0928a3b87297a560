// The host without a machine: time passes only while the program waits, so a run driven by
// the same input is the same run every time.
#include "platform/host/headless/headless.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "platform/host/input_state.h"
#include "platform/host/resources.h"

std::function<void()> HeadlessOnTick;
std::function<void(int)> HeadlessOnKey;
std::function<void(const HeadlessBox&)> HeadlessOnBox;

namespace {

struct Scheduled {
    uint32_t at;
    uint64_t order;
    std::function<void()> action;
};

struct Voice {
    uint32_t lengthMs;
    bool playing;
    bool looped;
    uint32_t started;
};

struct Machine {
    uint32_t clock = 0;
    std::vector<Scheduled> scheduled;
    uint64_t order = 0;
    HeadlessFaults faults;
    bool windowOpen = false;
    bool displayOpen = false;
    float logicalDpi = 96, physicalDpi = 96;
    bool mouseOpen = false;
    int mouseDx = 0, mouseDy = 0;
    std::array<int, 4> swatter = {};
    bool joystickAttached = false;
    bool joystickFails = false;
    uint32_t joyX = PadCentre, joyY = PadCentre, joyButtons = 0;
    bool soundOpen = false;
    std::map<int, Voice> voices;
    int nextVoice = 1;
    std::vector<HeadlessVoiceEvent> voiceLog;
    std::vector<int> startedVoices;
    std::vector<HeadlessBox> boxes;
    std::vector<uint8_t> screen = std::vector<uint8_t>(640 * 480, 0);
    HostColor palette[256] = {};
    int presents = 0;
    long long calendar = 0;
};

Machine M;

// Runs every scheduled action that is due, earliest first, in the order they were given.
void RunDue() {
    for (;;) {
        auto due = std::min_element(M.scheduled.begin(), M.scheduled.end(),
                                    [](const Scheduled& a, const Scheduled& b) {
                                        return a.at != b.at ? a.at < b.at : a.order < b.order;
                                    });
        if (due == M.scheduled.end() || due->at > M.clock) return;
        std::function<void()> action = std::move(due->action);
        M.scheduled.erase(due);
        action();
    }
}

bool VoiceSounds(const Voice& v) {
    return v.playing && (v.looped || M.clock - v.started < v.lengthMs);
}

} // namespace

void HeadlessReset() {
    M = Machine{};
    ResetInput();
    HeadlessOnTick = nullptr;
    HeadlessOnKey = nullptr;
    HeadlessOnBox = nullptr;
}
HeadlessFaults& HeadlessFault() {
    return M.faults;
}
void HeadlessSetCalendarSeconds(long long seconds) {
    M.calendar = seconds;
}
void HeadlessSetDotsPerInch(float logical, float physical) {
    M.logicalDpi = logical;
    M.physicalDpi = physical;
}

void HeadlessAdvance(uint32_t ms) {
    M.clock += ms;
    RunDue();
}

void HeadlessAt(uint32_t at, std::function<void()> action) {
    M.scheduled.push_back({at, M.order++, std::move(action)});
}

bool HeadlessHasScheduled() {
    return !M.scheduled.empty();
}

void HeadlessPushEvent(HostEventKind kind, int key) {
    QueueEvent(kind, key);
}
void HeadlessKeyStroke(int vk, bool alt, bool ctrl) {
    NoteKeyPress(vk, alt, ctrl);
}
void HeadlessMouseMove(int dx, int dy) {
    M.mouseDx += dx;
    M.mouseDy += dy;
}
void HeadlessMouseButton(bool down) {
    NoteButton(down);
}
void HeadlessHoldKey(int vk, bool held) {
    NoteKeyHeld(vk, held);
}
void HeadlessAttachJoystick(bool attached) {
    M.joystickAttached = attached;
}
void HeadlessJoystick(uint32_t x, uint32_t y, uint32_t buttons) {
    M.joyX = x;
    M.joyY = y;
    M.joyButtons = buttons;
}
void HeadlessJoystickFails(bool fails) {
    M.joystickFails = fails;
}

const std::vector<uint8_t>& HeadlessScreen() {
    return M.screen;
}
const HostColor* HeadlessScreenPalette() {
    return M.palette;
}
int HeadlessPresentCount() {
    return M.presents;
}
const std::vector<HeadlessVoiceEvent>& HeadlessVoiceLog() {
    return M.voiceLog;
}
const std::vector<HeadlessBox>& HeadlessBoxes() {
    return M.boxes;
}
std::vector<int> HeadlessTakeStartedVoices() {
    return std::exchange(M.startedVoices, {});
}

// ---- host.h -------------------------------------------------------------------------------

uint32_t GetTickCount() {
    return M.clock;
}
long long HostCalendarSeconds() {
    return M.calendar;
}

bool HostTakeEvent(HostEvent* event) {
    return TakeQueuedEvent(event);
}

void HostWaitEvent(uint32_t until) {
    RunDue();
    while (!EventWaiting() && M.clock < until) {
        uint32_t next = until;
        for (const Scheduled& s : M.scheduled) next = std::min(next, std::max(s.at, M.clock));
        M.clock = next;
        RunDue();
    }
}

void HostOpenWindow(const char*) {
    M.windowOpen = !M.faults.noDisplay;
}

int HostOpenDisplay(const char*) {
    if (M.faults.noDisplay) return 1;
    M.windowOpen = true;
    M.displayOpen = true;
    return 0;
}

void HostPresent(const uint8_t* pixels, int pitch, const HostColor palette[256]) {
    for (int y = 0; y < 480; ++y)
        std::memcpy(M.screen.data() + y * 640, pixels + static_cast<ptrdiff_t>(y) * pitch, 640);
    std::copy(palette, palette + 256, M.palette);
    ++M.presents;
}

uint32_t HostSurfaceResult() {
    if (M.faults.surfaceResultCount <= 0) return 0;
    --M.faults.surfaceResultCount;
    return M.faults.surfaceResult;
}

void HostDotsPerInch(bool logical, float* x, float* y) {
    *x = *y = logical ? M.logicalDpi : M.physicalDpi;
}

int HostOpenMouse() {
    if (M.faults.mouseOpenStep) return M.faults.mouseOpenStep;
    M.mouseOpen = true;
    return 0;
}

bool HostReadMouse(int* dx, int* dy, bool* leftDown) {
    *dx = *dy = 0;
    if (leftDown) *leftDown = false;
    if (!M.mouseOpen || M.faults.mouseReadFails) return false;
    *dx = std::exchange(M.mouseDx, 0);
    *dy = std::exchange(M.mouseDy, 0);
    if (leftDown) *leftDown = LookAtButton();
    return true;
}

void HostCloseMouse() {
    M.mouseOpen = false;
}

void HostSwatterAt(int x, int y, int width, int height) {
    M.swatter = {x, y, width, height};
}

std::array<int, 4> HeadlessSwatterTold() {
    return M.swatter;
}

bool HostKeyDown(int vk) {
    return LookAtKey(vk, KeyHeld(vk));
}

int HostJoystickCount() {
    return M.joystickAttached ? 1 : 0;
}

bool HostJoystickCapsOf(HostJoystickCaps* caps) {
    if (!M.joystickAttached) return false;
    *caps = PadRange;
    return true;
}

bool HostJoystickRead(uint32_t* x, uint32_t* y, uint32_t* buttons) {
    if (M.joystickFails) return false;
    *x = M.joystickAttached ? M.joyX : PadCentre;
    *y = M.joystickAttached ? M.joyY : PadCentre;
    *buttons = M.joystickAttached ? M.joyButtons : 0;
    return true;
}

bool HostOpenSound() {
    M.soundOpen = !M.faults.noSound;
    return M.soundOpen;
}

int HostMakeVoice(const uint8_t*, uint32_t bytes, int bitsPerSample, int sampleRate, int channels) {
    if (!M.soundOpen || bitsPerSample <= 0 || sampleRate <= 0 || channels <= 0) return 0;
    uint64_t bytesPerSecond = static_cast<uint64_t>(sampleRate) * channels * (bitsPerSample / 8);
    if (bytesPerSecond == 0) return 0;
    int id = M.nextVoice++;
    M.voices[id] = {static_cast<uint32_t>(uint64_t{bytes} * 1000 / bytesPerSecond), false, false,
                    0};
    return id;
}

void HostPlayVoice(int voice, bool looped) {
    auto v = M.voices.find(voice);
    if (v == M.voices.end()) return;
    v->second = {v->second.lengthMs, true, looped, M.clock};
    M.voiceLog.push_back({M.clock, voice, true});
    M.startedVoices.push_back(voice);
}

void HostStopVoice(int voice) {
    auto v = M.voices.find(voice);
    if (v == M.voices.end()) return;
    bool sounding = VoiceSounds(v->second);
    v->second.playing = false;
    if (sounding) M.voiceLog.push_back({M.clock, voice, false});
}

// A voice rewound while it sounds goes on from the beginning, as the old buffers did.
void HostRewindVoice(int voice) {
    auto v = M.voices.find(voice);
    if (v != M.voices.end() && VoiceSounds(v->second)) v->second.started = M.clock;
}

bool HostVoicePlaying(int voice) {
    auto v = M.voices.find(voice);
    return v != M.voices.end() && VoiceSounds(v->second);
}

void HostReleaseVoice(int voice) {
    auto v = M.voices.find(voice);
    if (v == M.voices.end()) return;
    if (VoiceSounds(v->second)) M.voiceLog.push_back({M.clock, voice, false});
    M.voices.erase(v);
}

void HostMessageBox(const char* title, const char* text) {
    M.boxes.push_back({title, text, M.windowOpen});
    if (HeadlessOnBox) HeadlessOnBox(M.boxes.back());
}

bool HostFindResource(const char* type, int id, const uint8_t** bytes, size_t* size) {
    for (const auto& [missingType, missingId] : M.faults.missingResources)
        if (missingId == id && missingType == type) return false;
    const EmbeddedResource* r = FindEmbeddedResource(type, id);
    if (!r) return false;
    *bytes = r->bytes;
    *size = r->size;
    return true;
}

void HostTickDone() {
    if (HeadlessOnTick) HeadlessOnTick();
}

void HostKeyDone(int vk) {
    if (HeadlessOnKey) HeadlessOnKey(vk);
}
