// The web host's rig for the contract: the page's own events, dispatched as the browser would
// dispatch the player's, a gamepad standing in the browser's list of pads, and the recording the
// contract's page makes of everything the page plays (see contract.html).
#include <emscripten.h>

#include "platform/host/contract/rig.h"

namespace {

// A key by its X name as the page names it: its place on the keyboard (`code`).
EM_JS(void, DispatchKey, (const char* chord, int hold, int down), {
    var codes = {
        Return : "Enter",
        KP_Enter : "NumpadEnter",
        Left : "ArrowLeft",
        Up : "ArrowUp",
        Right : "ArrowRight",
        Down : "ArrowDown",
        Shift_L : "ShiftLeft",
        Control_L : "ControlLeft",
        Alt_L : "AltLeft",
        space : "Space"
    };
    var code = function(name) {
        if (codes[name]) return codes[name];
        if (name.length == 1 && name >= "a" && name <= "z") return "Key" + name.toUpperCase();
        if (name.length == 1 && name >= "0" && name <= "9") return "Digit" + name;
        return name;
    };
    var alt = false, ctrl = false, shift = false;
    var send = function(type, name) {
        var c = code(name);
        if (c == "AltLeft") alt = type == "keydown";
        if (c == "ControlLeft") ctrl = type == "keydown";
        if (c == "ShiftLeft") shift = type == "keydown";
        window.dispatchEvent(new KeyboardEvent(type, {
            code : c,
            key : name,
            altKey : alt,
            ctrlKey : ctrl,
            shiftKey : shift,
            bubbles : true,
            cancelable : true
        }));
    };
    var names = UTF8ToString(chord).split("+");
    if (hold) {
        send(down ? "keydown" : "keyup", names[0]);
        return;
    }
    for (var i = 0; i < names.length; i++) send("keydown", names[i]);
    for (var i = names.length - 1; i >= 0; i--) send("keyup", names[i]);
});

EM_JS(void, MoveMouse, (int dx, int dy), {
    document.dispatchEvent(
        new MouseEvent("mousemove", {movementX : dx, movementY : dy, bubbles : true}));
});

EM_JS(void, MouseButton, (int down), {
    var target = down ? Module.kestor.canvas : document;
    target.dispatchEvent(
        new MouseEvent(down ? "mousedown" : "mouseup", {button : 0, bubbles : true}));
});

// A pad of the "standard" mapping has four axes and seventeen buttons; a plain one two of each.
EM_JS(void, AttachPad, (int standard), {
    var pad = {
        connected : true,
        index : 0,
        id : "rig pad",
        mapping : standard ? "standard" : "",
        timestamp : 0,
        axes : standard ? [ 0, 0, 0, 0 ] : [ 0, 0 ],
        buttons : []
    };
    for (var b = 0; b < (standard ? 17 : 2); b++) pad.buttons.push({pressed : false, value : 0});
    Module.rigPad = pad;
    Object.defineProperty(navigator, "getGamepads", {value : function() { return [pad]; }, configurable : true
});
});

EM_JS(void, UnplugPad, (), {
    Object.defineProperty(navigator, "getGamepads", {value : function() { return []; }, configurable : true
});
});

// Positions in the old range become the Gamepad API's -1..1; buttons are bits by number.
EM_JS(void, MovePad, (uint32_t x, uint32_t y, uint32_t buttons), {
    var pad = Module.rigPad;
    pad.axes[0] = x / 32767.5 - 1;
    pad.axes[1] = y / 32767.5 - 1;
    for (var b = 0; b < pad.buttons.length; b++) {
        var pressed = (buttons >> b & 1) != 0;
        pad.buttons[b] = {pressed : pressed, value : pressed ? 1 : 0};
    }
    pad.timestamp += 1;
});

// Switching away blurs the window; closing the tab unloads the page.
EM_JS(void, SendToWindow, (const char* type),
      { window.dispatchEvent(new Event(UTF8ToString(type))); });

EM_JS(void, FailAudio, (), {
    window.AudioContext = undefined;
    window.webkitAudioContext = undefined;
});

EM_JS(int, AudioRunning, (),
      { return Module.kestor.audio && Module.kestor.audio.state != "closed" ? 1 : 0; });

// What kept the page from listening to itself, or nothing.
EM_JS(void, PageProblem, (char* to, int size), { stringToUTF8(Module.rigProblem, to, size); });

// How many samples the recording must hold to reach what the page has played by now; the
// recorder's messages come a moment after the audio thread played them.
EM_JS(double, PlayedByNow, (), {
    var heard = Module.rigHeard;
    return Math.floor(heard.audio.currentTime * heard.audio.sampleRate) - heard.first;
});

EM_JS(int, HeardLength, (), { return Module.rigHeard.length; });

EM_JS(void, CopyHeard, (int16_t * to, int length),
      { HEAP16.set(Module.rigHeard.samples.subarray(0, length), to >> 1); });

EM_JS(int, HeardRate, (), { return Module.rigHeard.audio.sampleRate; });

} // namespace

// Each test has a page of its own, which starts it once it can hear itself.
bool RigStart(std::string* why) {
    char problem[256];
    PageProblem(problem, sizeof problem);
    *why = problem;
    return why->empty();
}

void RigKey(const char* chord) {
    DispatchKey(chord, 0, 0);
}

void RigHoldKey(const char* name, bool down) {
    DispatchKey(name, 1, down);
}

void RigMoveMouse(int dx, int dy) {
    MoveMouse(dx, dy);
}

void RigMouseButton(bool down) {
    MouseButton(down);
}

bool RigAttachJoystick() {
    AttachPad(0);
    return true;
}

void RigJoystick(uint32_t x, uint32_t y, uint32_t buttons) {
    MovePad(x, y, buttons);
}

void RigUnplugJoystick() {
    UnplugPad();
}

bool RigAttachLayoutPad() {
    AttachPad(1);
    return true;
}

// The standard mapping's buttons: 0 south, 1 east, 12 to 15 the D-pad's up, down, left, right.
void RigLayoutPad(uint32_t x, uint32_t y, int dx, int dy, bool south, bool east) {
    uint32_t held = (south ? 1u : 0u) | (east ? 2u : 0u) | (dy < 0 ? 1u << 12 : 0u) |
                    (dy > 0 ? 1u << 13 : 0u) | (dx < 0 ? 1u << 14 : 0u) | (dx > 0 ? 1u << 15 : 0u);
    MovePad(x, y, held);
}

bool RigTakeFocus() {
    SendToWindow("blur");
    return true;
}

bool RigCloseWindow() {
    SendToWindow("beforeunload");
    return true;
}

// A page has no say in where it stands in the processor's queue.
bool RigRealTimePriority() {
    return false;
}

void RigFailSoundDevice() {
    FailAudio();
}

bool RigAudioRunning(bool* running) {
    *running = AudioRunning();
    return true;
}

// Waits up to a second for the recording to catch up with the audio thread: a recording that
// still lags then is handed over as it is, short, for the test to find its end missing.
bool RigPlayed(std::vector<int16_t>* samples, int* rate) {
    double due = PlayedByNow();
    for (int waited = 0; HeardLength() < due && waited < 1000; waited += 5) emscripten_sleep(5);
    samples->resize(static_cast<size_t>(HeardLength()));
    CopyHeard(samples->data(), static_cast<int>(samples->size()));
    *rate = HeardRate();
    return true;
}
