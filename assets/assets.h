// The generator of the game's pictures and sounds. The build runs it once; its output is
// compiled into the program (sheet, icon, clips) or placed beside it ("Tilte.bmp").
#pragma once

#include <string>

// The 320x960 8-bit sprite sheet, resource "BIN" 101.
bool WriteSpriteSheet(const std::string& path);
// The 640x480 8-bit title picture with its own colours.
bool WriteTitlePicture(const std::string& path);
// The window icon, resource "ICON" 129: a 32x32 BMP.
bool WriteIcon(const std::string& path);

// A desktop icon of `size` pixels: the icon drawn at 16 * scale pixels, enlarged pixel for pixel.
struct DesktopIcon {
    int size;
    int scale;
};
// 192 and 512 are the sizes an installed web page asks for.
constexpr DesktopIcon DesktopIcons[] = {{16, 1},  {32, 2},  {48, 3},  {64, 4},
                                        {128, 4}, {192, 4}, {256, 4}, {512, 4}};
// The desktop icons as DIR/NxN/apps/kestor.png, the layout of the hicolor theme.
bool WriteDesktopIcons(const std::string& dir);
// One sound clip, resource "WAV" id, as a RIFF WAVE file.
bool WriteClip(int id, const std::string& path);
// Review pictures: the contact sheet and the dishes in their three states, as PNG.
bool WriteReview(const std::string& dir);

struct ClipFormat {
    int id;
    int bits;
    int rate;
    int dataBytes;
};

// Every clip's format and exact length; the game plays each for exactly this long.
constexpr ClipFormat ClipFormats[] = {
    {112, 8, 22050, 9984},   {113, 8, 11127, 4492},   {114, 8, 11127, 4904},
    {115, 8, 11127, 5759},   {116, 8, 11127, 20480},  {117, 8, 11127, 1790},
    {105, 8, 11127, 2103},   {118, 8, 22050, 18198},  {133, 8, 11127, 903},
    {119, 8, 11127, 14684},  {120, 8, 11127, 6204},   {121, 16, 22050, 51754},
    {122, 8, 11127, 16448},  {123, 16, 22050, 26460}, {124, 8, 22050, 93150},
    {125, 16, 44100, 52920}, {126, 8, 11127, 2482},   {127, 8, 22050, 30276},
    {128, 8, 22050, 28057},  {134, 8, 11025, 321552},
};
