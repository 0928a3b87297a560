// The page's side of player 1's mouse (input.cpp).
mergeInto(LibraryManager.library, {
    // A refused lock (no click behind it, or asked again too soon after Escape) leaves the
    // pointer free until the next click; it is no error of the page's.
    TakePointer: function() {
        var canvas = Module.kestor.canvas;
        if (document.pointerLockElement == canvas) return;
        var asked = canvas.requestPointerLock();
        if (asked && asked.catch) asked.catch(function() {});
    },
});
