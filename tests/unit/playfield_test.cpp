// The star field's scroll and the dish at rest, rising and flickering.
#include <gtest/gtest.h>

#include "app/flow.h"
#include "app/missions.h"
#include "boot.h"
#include "platform/display.h"
#include "platform/sound.h"
#include "players/playfield.h"
#include "players/swatters.h"
#include "tools/sim/sim.h"

namespace {

// Marks each sheet pixel with where it came from, so the screen tells which source row it shows.
void StampSheetRows() {
    for (int y = 0; y < 1920; ++y)
        for (int x = 0; x < 640; ++x)
            lpDDSSheet->pixels[static_cast<size_t>(y) * 640 + x] =
                static_cast<uint8_t>(y % 160 + 60);
}

std::vector<uint8_t> Column(int x) {
    std::vector<uint8_t> c;
    for (int y = 0; y < 480; ++y) c.push_back(lpDDSBack->pixels[static_cast<size_t>(y) * 640 + x]);
    return c;
}

} // namespace

TEST(Playfield, TheBackgroundScrollsThrough161Offsets) {
    Boot();
    StampSheetRows();
    ScrollOffset = 0;
    DrawBackground();
    std::vector<uint8_t> at0 = Column(100);
    EXPECT_EQ(at0[0], 60);
    EXPECT_EQ(at0[160], 60);
    EXPECT_EQ(at0[479], 60 + 159);
    EXPECT_EQ(ScrollOffset, 1);
    DrawBackground(); // offset 1
    std::vector<uint8_t> at1 = Column(100);
    EXPECT_EQ(at1[0], 61);
    EXPECT_EQ(at1[158], 60 + 159);
    EXPECT_EQ(at1[159], 60);
    EXPECT_EQ(at1[479], 60);
    ScrollOffset = 159;
    DrawBackground();
    EXPECT_EQ(Column(100)[0], 60 + 159);
    EXPECT_EQ(Column(100)[1], 60);
    EXPECT_EQ(ScrollOffset, 160);
    DrawBackground(); // 160 shows the same picture as 0
    EXPECT_EQ(Column(100), at0);
    EXPECT_EQ(ScrollOffset, 0);
}

TEST(Playfield, EachDishStandsCentredOnTheBottomEdge) {
    Boot();
    lpDDSSheet->colorKey = 255;
    for (int mission = 0; mission < 5; ++mission) {
        MissionIndex = mission;
        const MissionRow& m = MissionInfo[mission];
        std::fill(lpDDSSheet->pixels.begin(), lpDDSSheet->pixels.end(), 9);
        std::fill(lpDDSBack->pixels.begin(), lpDDSBack->pixels.end(), 0);
        DrawDish(0);
        int left = 320 - m.width / 2;
        auto at = [](int x, int y) { return lpDDSBack->pixels[static_cast<size_t>(y) * 640 + x]; };
        EXPECT_EQ(at(left, 480 - m.height), 9) << mission;
        EXPECT_EQ(at(left - 1, 479), 0) << mission;
        EXPECT_EQ(at(left + m.width - 1, 479), 9) << mission;
        EXPECT_EQ(at(left + m.width, 479), 0) << mission;
        EXPECT_EQ(at(left, 480 - m.height - 1), 0) << mission;
    }
    EXPECT_EQ(320 - MissionInfo[1].width / 2, 128);
    EXPECT_EQ(320 - MissionInfo[4].width / 2, 192);
}

TEST(Playfield, ARisingDishShowsOnlyItsTopRows) {
    Boot();
    lpDDSSheet->colorKey = 255;
    std::fill(lpDDSSheet->pixels.begin(), lpDDSSheet->pixels.end(), 9);
    MissionIndex = 0;
    std::fill(lpDDSBack->pixels.begin(), lpDDSBack->pixels.end(), 0);
    DrawDish(480); // risen by 0: nothing
    for (uint8_t p : lpDDSBack->pixels) ASSERT_EQ(p, 0);
    DrawDish(480 - 12);
    EXPECT_EQ(lpDDSBack->pixels[static_cast<size_t>(468) * 640 + 200], 9);
    EXPECT_EQ(lpDDSBack->pixels[static_cast<size_t>(467) * 640 + 200], 0);
}

TEST(Playfield, TheDishFlickersAndSoundsTheAlarmOnlyAtFiveLandingsInBattle) {
    Boot();
    MissionIndex = 0;
    DamageCount = 5;
    DishState = 1;
    const MissionRow& m = MissionInfo[0];
    // Paint the damaged picture 1 and the eaten picture 2 so the screen tells them apart.
    lpDDSSheet->colorKey = 255;
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x) {
            lpDDSSheet->pixels[static_cast<size_t>(m.damagedY + y) * 640 + m.damagedX + x] = 1;
            lpDDSSheet->pixels[static_cast<size_t>(m.eatenY + y) * 640 + m.eatenX + x] = 2;
        }
    auto shown = [] { return lpDDSBack->pixels[static_cast<size_t>(470) * 640 + 320]; };
    auto alarms = [] {
        size_t n = 0;
        for (const HeadlessVoiceEvent& e : HeadlessVoiceLog())
            n += e.started && ClipIdOfVoice(e.voice) == 112;
        return n;
    };
    PlayPhase = MissionIntro;
    DrawDish(0);
    EXPECT_EQ(shown(), 1);
    EXPECT_EQ(alarms(), 0u);
    PlayPhase = Battle;
    std::vector<uint8_t> seen;
    for (int i = 0; i < 4; ++i) {
        DrawDish(0);
        seen.push_back(shown());
        HeadlessAdvance(40);
    }
    EXPECT_EQ(seen, (std::vector<uint8_t>{1, 2, 1, 2}));
    // Asked for every frame; the clip restarts only once it has ended.
    ASSERT_EQ(alarms(), 1u);
    for (int i = 0; i < 10; ++i) {
        DrawDish(0);
        HeadlessAdvance(40);
    }
    EXPECT_EQ(alarms(), 2u);
    DamageCount = 4;
    DrawDish(0);
    DrawDish(0);
    EXPECT_EQ(shown(), 1);
}

namespace {

// Whether every opaque pixel of a sheet picture stands on the screen at (x, y).
bool ShowsPicture(const std::vector<uint8_t>& screen, const Surface& sheet, const Rect& picture,
                  int x, int y) {
    for (int row = 0; row < picture.bottom - picture.top; ++row)
        for (int col = 0; col < picture.right - picture.left; ++col) {
            uint8_t v = sheet.pixels[static_cast<size_t>(picture.top + row) * sheet.pitch +
                                     static_cast<size_t>(picture.left + col)];
            if (v == sheet.colorKey) continue;
            if (screen[static_cast<size_t>(y + row) * 640 + static_cast<size_t>(x + col)] != v)
                return false;
        }
    return true;
}

} // namespace

// The player's view of the opening: F1, then the mouse and a swing while the captions stand.
TEST(Playfield, MissionIntroShowsTheDishAndTheSwatterWhereTheMouseMovedIt) {
    std::vector<uint8_t> screen;
    Surface sheet; // the run's own, gone with its end
    const char* script = "key F1\nwait 3300\nmouse 150 20\nwait 40\nbutton down\nwait 40\n"
                         "button up\nwait 600\nkey ESCAPE\n";
    SimResult r = RunSim(script, {}, nullptr, [&](const TraceRow& row) {
        if (row.key < 0 && row.phase == MissionIntro && row.t <= 4000) {
            screen = HeadlessScreen();
            sheet = *lpDDSSheet;
        }
    });
    EXPECT_EQ(r.exitCode, 0);
    ASSERT_EQ(screen.size(), 640u * 480u);
    const MissionRow& curry = MissionInfo[0];
    Rect dish = {curry.intactX, curry.intactY, curry.intactX + curry.width,
                 curry.intactY + curry.height};
    EXPECT_TRUE(ShowsPicture(screen, sheet, dish, 160, 352));
    // Moved by (150, 20) from its start at (181, 216), swung and ready again.
    EXPECT_TRUE(ShowsPicture(screen, sheet, NormalPicture[0], 181 + 150, 216 + 20));
    EXPECT_FALSE(ShowsPicture(screen, sheet, NormalPicture[0], 181, 216));
}
