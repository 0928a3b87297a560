// The page's side of the browser's entry point (main.cpp).
mergeInto(LibraryManager.library, {
    // The ended page offers to play again; the game has let go of the pointer and the sound.
    ShowEnded: function(code) {
        if (document.pointerLockElement) document.exitPointerLock();
        if (Module.kestor.audio) Module.kestor.audio.close();
        var ended = Module.kestor.ended;
        if (code != 0)
            ended.querySelector("p").textContent =
                "It ended with an error (exit code " + code + ").";
        ended.dataset.code = code;
        ended.style.display = "flex";
    },
});
