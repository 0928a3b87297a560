// The swatters' movement, swing cycle and power-up, frame by frame on the virtual clock.
#include <gtest/gtest.h>

#include "app/flow.h"
#include "boot.h"
#include "players/input.h"
#include "players/swatters.h"

namespace {

void StartPlaying(int twoPlayer) {
    Boot();
    GameMode = Playing;
    PlayPhase = Battle;
    TwoPlayer = twoPlayer;
    TriggerArmed[0] = TriggerArmed[1] = 0;
    ResetMission();
}

// One 40 ms frame of player 1 with the button as given; returns whether it struck.
bool Frame1(bool button) {
    HeadlessMouseButton(button);
    UpdatePlayer1();
    HeadlessAdvance(40);
    return SwatActive[0] == 1;
}

bool Frame2() {
    UpdatePlayer2();
    HeadlessAdvance(40);
    return SwatActive[1] == 1;
}

} // namespace

TEST(Swatter, AStrikeLastsOneFrameAndTheNextNeedsARelease) {
    StartPlaying(0);
    EXPECT_FALSE(Frame1(false)); // arms the trigger
    EXPECT_TRUE(Frame1(true));   // frame n: the press strikes
    EXPECT_EQ(Swatters[0].swingState, Swinging);
    EXPECT_FALSE(Frame1(true)); // n + 1: still swinging, no strike
    EXPECT_EQ(Swatters[0].swingState, Swinging);
    EXPECT_FALSE(Frame1(true)); // n + 2: recovering
    EXPECT_EQ(Swatters[0].swingState, Recovering);
    EXPECT_FALSE(Frame1(true)); // n + 3: ready again, but the button was never released
    EXPECT_FALSE(Frame1(true));
    EXPECT_FALSE(Frame1(false)); // released: re-armed
    EXPECT_TRUE(Frame1(true));
}

TEST(Swatter, ReleasedAndPressedAgainWhileRecoveringSwatsAtTheFirstReadyFrame) {
    StartPlaying(0);
    Frame1(false);
    ASSERT_TRUE(Frame1(true));  // n
    Frame1(false);              // n + 1: seen released
    EXPECT_FALSE(Frame1(true)); // n + 2: recovering
    EXPECT_FALSE(Frame1(true)); // n + 3: becomes ready
    EXPECT_TRUE(Frame1(true));  // n + 4
}

TEST(Swatter, AButtonHeldAtStartDoesNothingUntilReleased) {
    StartPlaying(0);
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(Frame1(true));
    Frame1(false);
    EXPECT_TRUE(Frame1(true));
}

// A tap on a touchpad goes down and up between two frames: it swats once, and the next tap
// swats again as soon as the swatter is ready.
TEST(Swatter, AClickBetweenTwoFramesSwatsOnce) {
    StartPlaying(0);
    Frame1(false);
    HeadlessMouseButton(true);
    EXPECT_TRUE(Frame1(false));
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(Frame1(false)) << i;
    EXPECT_EQ(Swatters[0].swingState, Ready);
    HeadlessMouseButton(true);
    EXPECT_TRUE(Frame1(false));
}

TEST(Swatter, TheMouseMovesOnePixelPerCountAndIsClampedEveryFrame) {
    StartPlaying(0);
    HeadlessMouseMove(10, -6);
    Frame1(false);
    EXPECT_EQ(Swatters[0].x, 191);
    EXPECT_EQ(Swatters[0].y, 210);
    HeadlessMouseMove(5000, 5000);
    Frame1(false);
    EXPECT_EQ(Swatters[0].x, 640 - 64);
    EXPECT_EQ(Swatters[0].y, 480 - 48);
    HeadlessMouseMove(-5000, -5000);
    Frame1(false);
    EXPECT_EQ(Swatters[0].x, 0);
    EXPECT_EQ(Swatters[0].y, 0);
}

TEST(Swatter, PowerUpGrowsTheSwatterForExactly10000Ms) {
    StartPlaying(0);
    HeadlessMouseMove(5000, 5000);
    Frame1(false); // at the bottom-right corner
    PowerUp(0);
    EXPECT_EQ(Swatters[0].width, 96);
    EXPECT_EQ(Swatters[0].height, 72);
    EXPECT_EQ(Swatters[0].handle, 12);
    EXPECT_EQ(Swatters[0].picture.left, PoweredPicture[0].left);
    EXPECT_EQ(Swatters[0].x, 576); // partly beyond the edge until the next update
    Frame1(false);
    EXPECT_EQ(Swatters[0].x, 640 - 96);
    EXPECT_EQ(Swatters[0].y, 480 - 72);
    HeadlessAdvance(10000 - 40 - 1);
    UpdatePlayer1();
    EXPECT_EQ(Swatters[0].width, 96);
    HeadlessAdvance(1);
    UpdatePlayer1();
    EXPECT_EQ(Swatters[0].width, 64);
    EXPECT_EQ(Swatters[0].picture.left, NormalPicture[0].left);
    EXPECT_EQ(Swatters[0].x, 640 - 96); // the position stays
}

// A host steered by touch turns the finger's place into counts from where the mesh stands:
// it is told before every read, the grown swatter and the clamp at the edges included.
TEST(Swatter, TheHostIsToldWhereTheMeshStandsBeforeEachRead) {
    using Told = std::array<int, 4>;
    StartPlaying(0);
    Frame1(false);
    EXPECT_EQ(HeadlessSwatterTold(), (Told{181, 216, 64, 40}));
    HeadlessMouseMove(5000, 5000);
    Frame1(false);
    Frame1(false);
    EXPECT_EQ(HeadlessSwatterTold(), (Told{576, 432, 64, 40}));
    PowerUp(0);
    Frame1(false); // grown in place, past the edges until this update
    EXPECT_EQ(HeadlessSwatterTold(), (Told{576, 432, 96, 60}));
    Frame1(false);
    EXPECT_EQ(HeadlessSwatterTold(), (Told{544, 408, 96, 60}));
    HeadlessMouseMove(-5000, -5000);
    Frame1(false);
    Frame1(false);
    EXPECT_EQ(HeadlessSwatterTold(), (Told{0, 0, 96, 60}));
}

TEST(Swatter, PlayerTwoKeysPreferLeftAndUpAndClampOnlyTheSideMovedTo) {
    StartPlaying(1);
    HeadlessHoldKey(VK_LEFT, true);
    HeadlessHoldKey(VK_RIGHT, true);
    HeadlessHoldKey(VK_UP, true);
    HeadlessHoldKey(VK_DOWN, true);
    Frame2();
    EXPECT_EQ(Swatters[1].x, 394 - 8);
    EXPECT_EQ(Swatters[1].y, 216 - 8);
    HeadlessHoldKey(VK_SHIFT, true);
    Frame2();
    EXPECT_EQ(Swatters[1].x, 394 - 32);
    // Released, and the presses latched since the last query used up.
    for (int vk : {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_SHIFT}) {
        HeadlessHoldKey(vk, false);
        KeyDown(vk);
    }

    // Grown at the right edge, player 2 stays beyond it until it moves right.
    Swatters[1].x = 576;
    PowerUp(1);
    Frame2();
    EXPECT_EQ(Swatters[1].x, 576);
    HeadlessHoldKey(VK_LEFT, true);
    Frame2();
    EXPECT_EQ(Swatters[1].x, 568);
    HeadlessHoldKey(VK_LEFT, false);
    HeadlessHoldKey(VK_RIGHT, true);
    Frame2();
    EXPECT_EQ(Swatters[1].x, 640 - 96);
}

TEST(Swatter, JoystickAndKeysAddUpAndCtrlOrButtonOneSwats) {
    Boot([] { HeadlessAttachJoystick(true); });
    ASSERT_EQ(JoystickPresent, 1);
    GameMode = Playing;
    TwoPlayer = 1;
    ResetPlayers();
    HeadlessJoystick(0, 32768, 0x2); // left, fast
    HeadlessHoldKey(VK_RIGHT, true); // and the key to the right
    Frame2();
    EXPECT_EQ(Swatters[1].x, 394 - 24 + 8);
    HeadlessHoldKey(VK_RIGHT, false);
    HeadlessJoystick(32768, 32768, 0x1); // the frame above saw the button up
    EXPECT_TRUE(Frame2());
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(Frame2()); // held: one swat only
    HeadlessJoystick(32768, 32768, 0);
    Frame2();
    HeadlessHoldKey(VK_CONTROL, true);
    EXPECT_TRUE(Frame2());
}

TEST(Input, JoyScaleAndItsThreeZones) {
    EXPECT_EQ(JoyScale(0, 0, 640, 640), 0);
    EXPECT_EQ(JoyScale(32768, 0, 65535, 640), 320);
    EXPECT_EQ(JoyScale(5, 7, 7, 640), 0); // an empty range
    EXPECT_EQ(JoyScale(-32768, -32768, 32767, 480), 0);
    HeadlessReset();
    HeadlessAttachJoystick(true);
    ASSERT_EQ(JoyInit(), 1);
    // Raw values that scale to exactly the zone borders over 0..65535.
    auto rawFor = [](int scaled, int range) {
        for (int raw = 0; raw <= 65535; ++raw)
            if (JoyScale(raw, 0, 65535, range) == scaled) return static_cast<uint32_t>(raw);
        return 0u;
    };
    struct Case {
        int scaledX, dirX, scaledY, dirY;
    };
    for (Case c :
         {Case{279, 1, 199, 1}, Case{280, 0, 200, 0}, Case{360, 0, 280, 0}, Case{361, 2, 281, 2}}) {
        JoystickReadingT reading{};
        HeadlessJoystick(rawFor(c.scaledX, 640), rawFor(c.scaledY, 480), 0x3);
        JoyGetState(&reading);
        EXPECT_EQ(reading.dirX, c.dirX) << c.scaledX;
        EXPECT_EQ(reading.dirY, c.dirY) << c.scaledY;
        EXPECT_EQ(reading.button1, 1);
        EXPECT_EQ(reading.button2, 1);
    }
}

TEST(Input, AFailedPollKeepsTheLastReading) {
    HeadlessReset();
    HeadlessAttachJoystick(true);
    ASSERT_EQ(JoyInit(), 1);
    JoystickReadingT reading{};
    HeadlessJoystick(0, 0, 0x1);
    JoyGetState(&reading);
    HeadlessJoystickFails(true);
    HeadlessJoystick(65535, 65535, 0);
    JoyGetState(&reading);
    EXPECT_EQ(reading.dirX, 1);
    EXPECT_EQ(reading.dirY, 1);
    EXPECT_EQ(reading.button1, 1);
}

TEST(Input, AFailedMouseReadShowsOneBoxThenTheMouseStandsStill) {
    Boot();
    HeadlessFault().mouseReadFails = true;
    int dx = 1, dy = 1;
    EXPECT_EQ(DIGetMousePos(&dx, &dy), 0);
    EXPECT_EQ(dx, 0);
    EXPECT_EQ(dy, 0);
    ASSERT_EQ(HeadlessBoxes().size(), 1u);
    EXPECT_EQ(HeadlessBoxes()[0].title, "DirectInput Error");
    EXPECT_EQ(HeadlessBoxes()[0].text, " DIGetMousePos() GetDeviceState Failed");
    EXPECT_EQ(DIGetLButton(), 0);
    EXPECT_EQ(DIGetMousePos(&dx, &dy), 0);
    EXPECT_EQ(HeadlessBoxes().size(), 1u);
}

TEST(Input, EachMouseSetUpStepHasItsOwnMessage) {
    const char* texts[] = {"DirectInputCreate Failed", "CreateDevice Failed",
                           "SetDataFormat Failed", "SetCooperativeLevel Failed", "Acquire Failed"};
    for (int step = 1; step <= 5; ++step) {
        HeadlessReset();
        HeadlessFault().mouseOpenStep = step;
        EXPECT_EQ(DIInit(), 0);
        ASSERT_EQ(HeadlessBoxes().size(), 1u);
        EXPECT_EQ(HeadlessBoxes()[0].text, texts[step - 1]);
    }
}
