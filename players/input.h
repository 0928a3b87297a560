// The mouse for player 1, the joystick and the keys for player 2.
#pragma once

#include <cstdint>

struct JoystickReadingT {
    int dirX;    // 0 centre, 1 left, 2 right
    int dirY;    // 0 centre, 1 up, 2 down
    int button1; // 0 or 1
    int button2;
};

extern int JoystickPresent;
extern JoystickReadingT JoystickReading;

int DIInit();
int DIGetMousePos(int* dx, int* dy);
int DIGetLButton();
int DIErrorBox(const char* message);
void DIRelease();
int JoyInit();
void JoyGetState(JoystickReadingT* reading);
int JoyScale(int value, int minimum, int maximum, int range);
bool KeyDown(int vk);
