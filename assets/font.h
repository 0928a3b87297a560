// The pixel lettering of the score line, the title picture and the review sheets: a 5x7
// capital font and a narrow 3x7 set of digits for the score popups.
#pragma once

#include <string_view>

#include "assets/canvas.h"

constexpr int LetterHeight = 7;

// The text as a mask: `ink` where a letter pixel is, the key elsewhere. Each font pixel becomes
// scale x scale pixels; letters stand `scale` apart.
Canvas TextMask(std::string_view text, int scale, uint8_t ink);
int TextWidth(std::string_view text, int scale);
// Lettering as the game shows it: lit from above (light at the top of each letter, darker at
// its foot) over a drop shadow one font pixel down and right, in the ramp's outline tone.
Canvas Lettering(std::string_view text, int scale, Ramp ramp);
// The same for a mask already drawn in any ink.
Canvas Lettering(const Canvas& mask, int scale, Ramp ramp);
// One narrow digit as a 3x7 mask.
Canvas NarrowDigitMask(int digit, uint8_t ink);
