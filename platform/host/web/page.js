// What the web host shares with its page and its tests, named in this one place: the page's
// elements the host works with, found by their ids, and what the host keeps between its calls.
// The tests read the screen, the sound and the counts from here too.
Module.kestor = {
    canvas: document.getElementById("screen"), // the picture; a click on it takes the pointer
    box: document.getElementById("box"),       // the message box
    ended: document.getElementById("ended"),   // shown when the game has ended
    screen: null,  // how frames reach the canvas: {gl} with WebGL, {context, image} in 2D
    audio: null,   // the page's AudioContext
    voices: [],    // each voice's buffer and playing source, by handle - 1
    stats: null,   // ticks, how late they came, and the busy time between the game's sleeps
    awake: null,   // the screen's wake lock while a game is played
    wake: null,    // ends the game's sleep: a message has come
    timerLate: 0,  // how late timers have lately fired, in ms
    letters: null, // the canvas text is drawn on
};
