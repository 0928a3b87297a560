// The page's side of touch on the web host (touch.cpp).
mergeInto(LibraryManager.library, {
    // One finger steers: the first one down, until it lifts; where it is goes to the host in
    // picture pixels. The browser's own use of a touch on the picture (scrolling, zooming, the
    // long-press menu, the mouse events it makes up) is refused.
    ListenForFingers__deps: ["ResumeSound"],
    ListenForFingers: function() {
        var canvas = Module.kestor.canvas;
        var finger = null;
        var send = function(e, down) {
            var r = canvas.getBoundingClientRect();
            var x = Math.floor((e.clientX - r.left) * 640 / r.width);
            var y = Math.floor((e.clientY - r.top) * 480 / r.height);
            _KestorFinger(Math.min(639, Math.max(0, x)), Math.min(479, Math.max(0, y)), down);
        };
        canvas.addEventListener("pointerdown", function(e) {
            if (e.pointerType == "mouse" || finger != null) return;
            finger = e.pointerId;
            canvas.setPointerCapture(finger);
            send(e, 1);
        });
        canvas.addEventListener("pointermove", function(e) {
            if (e.pointerId == finger) send(e, 1);
        });
        var lift = function(e) {
            if (e.pointerId != finger) return;
            finger = null;
            send(e, 0);
        };
        canvas.addEventListener("pointerup", lift);
        canvas.addEventListener("pointercancel", lift);
        ["touchstart", "touchmove", "touchend"].forEach(function(type) {
            canvas.addEventListener(type, function(e) { e.preventDefault(); }, { passive: false });
        });
        // Browsers count the end of a touch as the player's gesture, not its start: a touch
        // anywhere on the page, the control keys' too, lets the sound start.
        document.addEventListener("pointerup", function(e) {
            if (e.pointerType != "mouse") _ResumeSound();
        }, true);
    },
});
