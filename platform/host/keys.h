// The old keyboard's virtual-key codes, and which of its keys the system kept for itself. Every
// host turns its own keys into these codes; the game, the rigs and kestor-sim name them here.
#pragma once

// Letters and digits are their own upper-case characters.
constexpr int VK_BACK = 0x08, VK_TAB = 0x09, VK_RETURN = 0x0D, VK_SHIFT = 0x10, VK_CONTROL = 0x11,
              VK_MENU = 0x12, VK_PAUSE = 0x13, VK_CAPITAL = 0x14, VK_ESCAPE = 0x1B, VK_SPACE = 0x20,
              VK_PRIOR = 0x21, VK_NEXT = 0x22, VK_END = 0x23, VK_HOME = 0x24, VK_LEFT = 0x25,
              VK_UP = 0x26, VK_RIGHT = 0x27, VK_DOWN = 0x28, VK_SNAPSHOT = 0x2C, VK_INSERT = 0x2D,
              VK_DELETE = 0x2E;
// The keypad's digits run on from VK_NUMPAD0, the function keys from VK_F1.
constexpr int VK_NUMPAD0 = 0x60, VK_MULTIPLY = 0x6A, VK_ADD = 0x6B, VK_SUBTRACT = 0x6D,
              VK_DECIMAL = 0x6E, VK_DIVIDE = 0x6F;
constexpr int VK_F1 = 0x70, VK_F2 = 0x71, VK_F3 = 0x72, VK_F10 = 0x79, VK_F12 = 0x7B;

// Alt, F10, and any key pressed with Alt never arrive as key presses: the old system kept them
// for its menus, so Alt+F1 starts no game and F10 ends no pause. Ctrl with Alt makes AltGr,
// whose keys are ordinary. A system key still counts as pressed for player 2's held keys.
constexpr bool SystemKey(int vk, bool alt, bool ctrl) {
    return vk == VK_MENU || vk == VK_F10 || (alt && !ctrl);
}
