// Keys, the mouse and the joystick as the game reads them.
#include <cctype>
#include <string>

#include "platform/host/contract/contract.h"

namespace {

// The key presses that arrive within a second of a chord, and none after a pause for more.
std::vector<int> KeysFrom(const char* chord) {
    std::vector<HostEvent> events;
    RigKey(chord);
    for (int waited = 0; waited < 1000 && KeysOf(events).empty(); waited += 20) Pass(20, &events);
    Pass(100, &events);
    return KeysOf(events);
}

// The motion that arrives within a second, and none after a pause for more; false on a
// failed read.
bool MotionOf(int dx, int dy, int* gotX, int* gotY, bool* left) {
    *gotX = *gotY = 0;
    int x, y;
    for (int waited = 0; waited < 1000 && (*gotX != dx || *gotY != dy); waited += 20) {
        Pass(20);
        if (!HostReadMouse(&x, &y, left)) return false;
        *gotX += x;
        *gotY += y;
    }
    Pass(100);
    if (!HostReadMouse(&x, &y, left)) return false;
    *gotX += x;
    *gotY += y;
    return true;
}

} // namespace

TEST_F(HostContract, KeysArriveAsTheCodesTheKeyHandlerExpects) {
    OpenWindow();
    for (const RigKeyName& k : RigKeys) {
        if (SystemKey(k.vk, false, false)) continue;
        EXPECT_EQ(KeysFrom(k.name), std::vector<int>{k.vk}) << k.name;
    }
    for (const char* name : {"a", "z", "5"})
        EXPECT_EQ(KeysFrom(name), std::vector<int>{std::toupper(name[0])}) << name;
}

// Alt, F10 and keys pressed with Alt belonged to the system's menus: Alt+F1 must not start a
// game, F10 must not end a pause, Alt+Enter must not leave the staff roll.
TEST_F(HostContract, SystemKeysNeverReachTheKeyHandler) {
    OpenWindow();
    for (const char* chord : {"Alt_L", "F10", "Alt_L+F1", "Alt_L+F2", "Alt_L+F3", "Alt_L+Return",
                              "Alt_L+Escape", "Alt_L+a"})
        EXPECT_EQ(KeysFrom(chord), std::vector<int>{}) << chord;
    // Ctrl with Alt is AltGr's own chord: its keys are ordinary keys.
    EXPECT_EQ(KeysFrom("Control_L+Alt_L+a"), (std::vector<int>{VK_CONTROL, 'A'}));
}

// Player 2's keys: down while held, and a press between two looks is seen by the second.
TEST_F(HostContract, HeldKeysReadDownAndABriefPressIsNotMissed) {
    OpenWindow();
    RigHoldKey("Left", true);
    Pass(150);
    EXPECT_TRUE(HostKeyDown(VK_LEFT));
    EXPECT_TRUE(HostKeyDown(VK_LEFT));
    RigHoldKey("Left", false);
    Pass(150);
    EXPECT_FALSE(HostKeyDown(VK_LEFT));

    EXPECT_FALSE(HostKeyDown(VK_CONTROL));
    RigKey("Control_L");
    Pass(150);
    EXPECT_TRUE(HostKeyDown(VK_CONTROL));
    EXPECT_FALSE(HostKeyDown(VK_CONTROL));
    // A system key is still a key that was pressed.
    RigKey("Alt_L+Right");
    Pass(150);
    EXPECT_TRUE(HostKeyDown(VK_RIGHT));
}

// One count of the mouse is one pixel of the swatter: no acceleration, no scaling.
TEST_F(HostContract, OneMouseCountIsOnePixel) {
    OpenWindow();
    ASSERT_EQ(HostOpenMouse(), 0);
    int dx, dy;
    bool left;
    Pass(100);
    ASSERT_TRUE(HostReadMouse(&dx, &dy, &left));
    for (int i = 0; i < 5; ++i) RigMoveMouse(1, 0);
    ASSERT_TRUE(MotionOf(5, 0, &dx, &dy, &left));
    EXPECT_EQ(dx, 5);
    EXPECT_EQ(dy, 0);
    struct Move {
        int dx, dy;
    };
    for (Move m : {Move{-7, 3}, Move{0, -1}, Move{120, -45}, Move{-300, 200}}) {
        RigMoveMouse(m.dx, m.dy);
        ASSERT_TRUE(MotionOf(m.dx, m.dy, &dx, &dy, &left));
        EXPECT_EQ(dx, m.dx) << m.dx << "," << m.dy;
        EXPECT_EQ(dy, m.dy) << m.dx << "," << m.dy;
    }
    EXPECT_FALSE(left);
    RigMouseButton(true);
    Pass(150);
    ASSERT_TRUE(HostReadMouse(&dx, &dy, &left));
    EXPECT_TRUE(left);
    RigMouseButton(false);
    Pass(150);
    ASSERT_TRUE(HostReadMouse(&dx, &dy, &left));
    EXPECT_FALSE(left);
    EXPECT_EQ(dx, 0); // motion, once read, is gone
    HostCloseMouse();
    EXPECT_FALSE(HostReadMouse(&dx, &dy, &left));
}

// A click that comes and goes between two looks (a touchpad's tap) reads as down at the next
// look at the button, once; reading only the motion does not take it away.
TEST_F(HostContract, AClickBetweenTwoLooksIsSeenOnce) {
    OpenWindow();
    ASSERT_EQ(HostOpenMouse(), 0);
    int dx, dy;
    bool left = true;
    Pass(100);
    ASSERT_TRUE(HostReadMouse(&dx, &dy, &left));
    EXPECT_FALSE(left);
    RigMouseButton(true);
    RigMouseButton(false);
    Pass(150);
    ASSERT_TRUE(HostReadMouse(&dx, &dy, nullptr));
    ASSERT_TRUE(HostReadMouse(&dx, &dy, &left));
    EXPECT_TRUE(left);
    ASSERT_TRUE(HostReadMouse(&dx, &dy, &left));
    EXPECT_FALSE(left);
    // Held, it reads down at every look, and up once let go.
    RigMouseButton(true);
    Pass(150);
    for (int look = 0; look < 3; ++look) {
        ASSERT_TRUE(HostReadMouse(&dx, &dy, &left));
        EXPECT_TRUE(left) << look;
    }
    RigMouseButton(false);
    Pass(150);
    ASSERT_TRUE(HostReadMouse(&dx, &dy, &left));
    EXPECT_FALSE(left);
    HostCloseMouse();
    EXPECT_FALSE(HostReadMouse(&dx, &dy, &left));
}

// The joystick reads in the old interface's range, 0 to 65535 from left to right and from
// top to bottom, with buttons 1 and 2 as bits 1 and 2.
TEST_F(HostContract, TheJoystickReadsAsTheJoystickTableSays) {
    OpenWindow();
    if (!RigAttachJoystick()) GTEST_SKIP() << "this host can't have a joystick plugged in";
    ASSERT_EQ(HostJoystickCount(), 1);
    HostJoystickCaps caps{};
    ASSERT_TRUE(HostJoystickCapsOf(&caps));
    EXPECT_EQ(caps.xMin, 0u);
    EXPECT_EQ(caps.xMax, 65535u);
    EXPECT_EQ(caps.yMin, 0u);
    EXPECT_EQ(caps.yMax, 65535u);
    struct Position {
        uint32_t x, y, buttons;
    };
    for (Position p : {Position{0, 65535, 1}, Position{32768, 32768, 2}, Position{65535, 0, 3},
                       Position{1000, 40000, 0}}) {
        RigJoystick(p.x, p.y, p.buttons);
        uint32_t x, y, buttons;
        ASSERT_TRUE(HostJoystickRead(&x, &y, &buttons));
        EXPECT_EQ(x, p.x);
        EXPECT_EQ(y, p.y);
        EXPECT_EQ(buttons, p.buttons);
    }
}

namespace {

struct Reading {
    uint32_t x, y, buttons;
    bool operator==(const Reading&) const = default;
};

// The pad as the game reads it, after a tick or two for a pad just plugged in to be found.
Reading ReadPad() {
    Reading r{};
    for (int tick = 0; tick < 2; ++tick) {
        Pass(40);
        EXPECT_TRUE(HostJoystickRead(&r.x, &r.y, &r.buttons));
    }
    return r;
}

} // namespace

// A pad pulled out is let go: it reads centred with no buttons, not as it was last seen; a pad
// plugged in (the same or another) steers again within a tick or two.
TEST_F(HostContract, APadPulledOutReadsAtRestAndOnePluggedInSteersAgain) {
    OpenWindow();
    if (!RigAttachJoystick()) GTEST_SKIP() << "this host can't have a joystick plugged in";
    ASSERT_EQ(HostJoystickCount(), 1);
    RigJoystick(0, 65535, 3);
    EXPECT_EQ(ReadPad(), (Reading{0, 65535, 3}));
    RigUnplugJoystick();
    EXPECT_EQ(ReadPad(), (Reading{32768, 32768, 0}));
    ASSERT_TRUE(RigAttachJoystick());
    RigJoystick(65535, 0, 2);
    EXPECT_EQ(ReadPad(), (Reading{65535, 0, 2}));
    RigUnplugJoystick();
    EXPECT_EQ(ReadPad(), (Reading{32768, 32768, 0}));
}

// A pad of the common layout swats with its south button, runs with its east one, and steers
// with its left stick and its D-pad alike.
TEST_F(HostContract, AKnownPadSwatsWithSouthRunsWithEastAndSteersWithStickAndDpad) {
    OpenWindow();
    if (!RigAttachLayoutPad()) GTEST_SKIP() << "this host knows no pad layouts";
    ASSERT_EQ(HostJoystickCount(), 1);
    struct Row {
        uint32_t x, y;
        int dx, dy;
        bool south, east;
        Reading want;
    };
    constexpr Row rows[] = {
        {32768, 32768, 0, 0, true, false, {32768, 32768, 1}},
        {32768, 32768, 0, 0, false, true, {32768, 32768, 2}},
        {0, 65535, 0, 0, true, true, {0, 65535, 3}},
        {32768, 32768, -1, 0, false, false, {0, 32768, 0}},
        {32768, 32768, 1, -1, false, false, {65535, 0, 0}},
        {32768, 32768, 0, 1, false, false, {32768, 65535, 0}},
        {0, 32768, 1, 0, false, false, {65535, 32768, 0}}, // the D-pad over the stick
    };
    for (const Row& r : rows) {
        RigLayoutPad(r.x, r.y, r.dx, r.dy, r.south, r.east);
        EXPECT_EQ(ReadPad(), r.want) << r.x << "," << r.y << " dpad " << r.dx << "," << r.dy;
    }
}

namespace {

// How often this thread has gone to sleep and been woken, from the kernel's count; -1 where
// there is no such count.
} // namespace

// A joystick is read when the game asks: it does not turn the program's waits into polling.
// Counted in wake-ups, not timed: half a second's wait is a handful of them, where polling
// once a millisecond would be five hundred.
TEST_F(HostContract, AJoystickDoesNotWakeTheWait) {
    OpenWindow();
    if (!RigAttachJoystick()) GTEST_SKIP() << "this host can't have a joystick plugged in";
    ASSERT_EQ(HostJoystickCount(), 1);
    uint32_t x, y, buttons;
    ASSERT_TRUE(HostJoystickRead(&x, &y, &buttons));
    long before = RigWakeUps();
    if (before < 0) GTEST_SKIP() << "no count of wake-ups on this machine";
    Pass(500);
    EXPECT_LT(RigWakeUps() - before, 50);
}
