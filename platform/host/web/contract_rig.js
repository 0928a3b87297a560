// The page's side of the web host's rig for the contract (contract_rig.cpp): the page's own
// events, dispatched as the browser would dispatch the player's, a gamepad standing in the
// browser's list of pads, and the recording contract.html makes of everything the page plays.
mergeInto(LibraryManager.library, {
    // A key by its X name as the page names it: its place on the keyboard (`code`).
    $rigKeyCode: function(name) {
        var codes = {
            Return: "Enter",
            KP_Enter: "NumpadEnter",
            Left: "ArrowLeft",
            Up: "ArrowUp",
            Right: "ArrowRight",
            Down: "ArrowDown",
            Shift_L: "ShiftLeft",
            Control_L: "ControlLeft",
            Alt_L: "AltLeft",
            space: "Space",
        };
        if (codes[name]) return codes[name];
        if (name.length == 1 && name >= "a" && name <= "z") return "Key" + name.toUpperCase();
        if (name.length == 1 && name >= "0" && name <= "9") return "Digit" + name;
        return name;
    },

    DispatchKey__deps: ["$rigKeyCode"],
    DispatchKey: function(chord, hold, down) {
        var alt = false, ctrl = false, shift = false;
        var send = function(type, name) {
            var c = rigKeyCode(name);
            if (c == "AltLeft") alt = type == "keydown";
            if (c == "ControlLeft") ctrl = type == "keydown";
            if (c == "ShiftLeft") shift = type == "keydown";
            window.dispatchEvent(new KeyboardEvent(type, {
                code: c,
                key: name,
                altKey: alt,
                ctrlKey: ctrl,
                shiftKey: shift,
                bubbles: true,
                cancelable: true,
            }));
        };
        var names = UTF8ToString(chord).split("+");
        if (hold) {
            send(down ? "keydown" : "keyup", names[0]);
            return;
        }
        for (var i = 0; i < names.length; i++) send("keydown", names[i]);
        for (var i = names.length - 1; i >= 0; i--) send("keyup", names[i]);
    },

    MoveMouse: function(dx, dy) {
        document.dispatchEvent(
            new MouseEvent("mousemove", { movementX: dx, movementY: dy, bubbles: true }));
    },

    MouseButton: function(down) {
        var target = down ? Module.kestor.canvas : document;
        target.dispatchEvent(
            new MouseEvent(down ? "mousedown" : "mouseup", { button: 0, bubbles: true }));
    },

    // The browser's list of pads, as the page reads it.
    $rigPads: function(pads) {
        Object.defineProperty(navigator, "getGamepads",
            { value: function() { return pads; }, configurable: true });
    },

    // A pad of the "standard" mapping has four axes and seventeen buttons; a plain one two of
    // each.
    AttachPad__deps: ["$rigPads"],
    AttachPad: function(standard) {
        var pad = {
            connected: true,
            index: 0,
            id: "rig pad",
            mapping: standard ? "standard" : "",
            timestamp: 0,
            axes: standard ? [0, 0, 0, 0] : [0, 0],
            buttons: [],
        };
        for (var b = 0; b < (standard ? 17 : 2); b++)
            pad.buttons.push({ pressed: false, value: 0 });
        Module.rigPad = pad;
        rigPads([pad]);
    },

    UnplugPad__deps: ["$rigPads"],
    UnplugPad: function() {
        rigPads([]);
    },

    // Positions in the old range become the Gamepad API's -1..1; buttons are bits by number.
    MovePad: function(x, y, buttons) {
        var pad = Module.rigPad;
        pad.axes[0] = x / 32767.5 - 1;
        pad.axes[1] = y / 32767.5 - 1;
        for (var b = 0; b < pad.buttons.length; b++) {
            var pressed = (buttons >> b & 1) != 0;
            pad.buttons[b] = { pressed: pressed, value: pressed ? 1 : 0 };
        }
        pad.timestamp += 1;
    },

    // Switching away blurs the window; closing the tab unloads the page.
    SendToWindow: function(type) {
        window.dispatchEvent(new Event(UTF8ToString(type)));
    },

    FailAudio: function() {
        window.AudioContext = undefined;
        window.webkitAudioContext = undefined;
    },

    AudioRunning: function() {
        return Module.kestor.audio && Module.kestor.audio.state != "closed" ? 1 : 0;
    },

    // What kept the page from listening to itself, or nothing.
    PageProblem: function(to, size) {
        stringToUTF8(Module.rigProblem, to, size);
    },

    // How many samples the recording must hold to reach what the page has played by now; the
    // recorder's messages come a moment after the audio thread played them.
    PlayedByNow: function() {
        var heard = Module.rigHeard;
        return Math.floor(heard.audio.currentTime * heard.audio.sampleRate) - heard.first;
    },

    HeardLength: function() {
        return Module.rigHeard.length;
    },

    CopyHeard: function(to, length) {
        HEAP16.set(Module.rigHeard.samples.subarray(0, length), to >> 1);
    },

    HeardRate: function() {
        return Module.rigHeard.audio.sampleRate;
    },
});
