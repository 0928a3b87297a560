// The operating-system seam. Everything the game needs from the machine comes through these
// calls, and nothing else: three hosts answer them, SDL2 for the desktop program (sdl/), the
// browser's HTML5 API for the page (web/), and a headless model for the tests and kestor-sim
// (headless/, whose own controls are in headless.h). No SDL or browser type crosses this line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/host/keys.h"

// ---- Clock --------------------------------------------------------------------------------
// Milliseconds since the program started, unsigned 32-bit like the old system tick count.
uint32_t GetTickCount();
// Calendar seconds, only for seeding the random generator.
long long HostCalendarSeconds();

// ---- Window and events --------------------------------------------------------------------
enum HostEventKind { HostKeyPress, HostFocusLost, HostWindowClosed, HostWindowExposed };
struct HostEvent {
    HostEventKind kind;
    int key; // virtual-key code (keys.h) for HostKeyPress
};
// Makes the program's one window, hidden until the display opens, so that every box of
// start-up has a window behind it. A window that can't be made shows as a failing display.
void HostOpenWindow(const char* title);
bool HostTakeEvent(HostEvent* event); // removes the oldest waiting event
// Sleeps until an event arrives or the clock reaches `until`, whichever comes first.
void HostWaitEvent(uint32_t until);

// ---- Screen -------------------------------------------------------------------------------
struct HostColor {
    uint8_t r, g, b;
};
// Shows the window full-screen, ready for frames. 0 on success, else the failing step: 1 the
// display driver, 2 the window, 3 the 640x480 picture (renderer and texture).
int HostOpenDisplay(const char* title);
// Shows one indexed 640x480 frame through its palette.
void HostPresent(const uint8_t* pixels, int pitch, const HostColor palette[256]);
// What the display answers to the next surface operation: 0, or one of the old display
// result codes: HostSurfaceLost while the picture can't be drawn (the page's WebGL or canvas
// context lost, until the browser gives it back; the host then asks for a repaint), or one
// still being drawn (the headless host, for the game's tests). The desktop's window keeps its
// pixels, and SDL hears of no lost GPU on Linux: it answers 0.
constexpr uint32_t HostSurfaceLost = 0x887601C2;
uint32_t HostSurfaceResult();

// ---- Mouse, keys, joystick ----------------------------------------------------------------
// Takes the mouse for relative motion. 0 on success, else the failing step 1..5.
int HostOpenMouse();
// Motion since the previous read, in device counts, and the left button: down now, or pressed
// since the previous look at it, so that a click that comes and goes between two ticks (a
// touchpad's tap) still swats once. A null `leftDown` does not look. False on a failed read.
bool HostReadMouse(int* dx, int* dy, bool* leftDown);
void HostCloseMouse();
// Where player 1's swatter's mesh stands (the picture without its handle), told before the game
// reads the mouse in a tick of play. A host steered by touch gives the counts that carry it under
// the finger; the others have no use for it.
void HostSwatterAt(int x, int y, int width, int height);
// Down now, or pressed since the previous query of the same key.
bool HostKeyDown(int vk);
int HostJoystickCount();
struct HostJoystickCaps {
    uint32_t xMin, xMax, yMin, yMax;
};
bool HostJoystickCapsOf(HostJoystickCaps* caps);
// Whichever pad is plugged in now; while none is, it reads centred with no buttons.
bool HostJoystickRead(uint32_t* x, uint32_t* y, uint32_t* buttons);

// ---- Text ---------------------------------------------------------------------------------
// The screen's dots per inch across and down: the desktop's logical setting, or the physical
// resolution of the 640x480 picture (its pixels over the size it has on the display).
void HostDotsPerInch(bool logical, float* x, float* y);
// The old style bits of a face.
constexpr int StyleBold = 1, StyleItalic = 2, StyleUnderline = 4, StyleStrikeOut = 8;
// A face by its old name ("Times New Roman Bold") at a character height in pixels, squeezed or
// stretched to an average character width in pixels (0: the face's own), in the style bits.
// Returns a handle above 0, or 0 when no face can be had.
int HostOpenFace(const char* name, int pixelHeight, int averageWidth, int style);
// Rasterises a string without smoothing: one byte per pixel, nonzero where ink is.
bool HostRenderText(int face, const char* text, std::vector<uint8_t>* mask, int* width,
                    int* height);

// ---- Sound --------------------------------------------------------------------------------
bool HostOpenSound();
// A voice made from PCM bytes (copied). Returns a handle above 0, or 0 on failure.
int HostMakeVoice(const uint8_t* pcm, uint32_t bytes, int bitsPerSample, int sampleRate,
                  int channels);
void HostPlayVoice(int voice, bool looped);
void HostStopVoice(int voice);
void HostRewindVoice(int voice);
bool HostVoicePlaying(int voice);
void HostReleaseVoice(int voice);

// ---- Boxes, resources, files --------------------------------------------------------------
void HostMessageBox(const char* title, const char* text);
// A resource compiled into the program, by type ("BIN", "WAV", "ICON") and id.
bool HostFindResource(const char* type, int id, const uint8_t** bytes, size_t* size);
// A file beside the program, else in the current directory.
bool HostReadFile(const char* name, std::vector<uint8_t>* bytes);

// ---- Observation --------------------------------------------------------------------------
// Called by the game after every granted tick and after every key message, so that a
// recording host can note the state. The real host ignores them.
void HostTickDone();
void HostKeyDone(int vk);
