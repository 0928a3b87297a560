// The ten missions' dishes: pictures, size, landing zone and name.
#pragma once

struct MissionRow {
    int intactX, intactY;
    int damagedX, damagedY;
    int eatenX, eatenY;
    int width, height;
    int insetLeft, insetRight, insetTop, insetBottom;
    char name[20];
};

constexpr MissionRow Curry = {0, 1440, 0, 1568, 0, 1696, 320, 128, 48, 48, 32, 32, "CURRY"};
constexpr MissionRow Chicken = {0, 864, 0, 1056, 0, 1248, 384, 192, 32, 96, 80, 48, "CHICKEN"};
constexpr MissionRow Cake = {320, 1440, 320, 1600, 320, 1760, 320, 160, 32, 32, 32, 32, "CAKE"};
constexpr MissionRow GyuDon = {0, 480, 0, 608, 0, 736, 384, 128, 48, 48, 32, 64, "GYU-DON"};
constexpr MissionRow Hamburger = {384, 480, 384, 672, 384, 864, 256, 192, 32, 32, 32, 32,
                                  "HAMBURGER"};

// The extra missions (5 to 9) defend the same dishes in the same order.
constexpr MissionRow MissionInfo[10] = {Curry, Chicken, Cake, GyuDon, Hamburger,
                                        Curry, Chicken, Cake, GyuDon, Hamburger};

constexpr int CaptionX[10] = {180, 152, 192, 150, 118, 180, 152, 192, 150, 118};
