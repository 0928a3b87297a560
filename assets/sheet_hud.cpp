// The score line, the score popups, the kill gauge and the boss icon.
#include <string>

#include "assets/font.h"
#include "assets/sheet.h"
#include "enemies/effects.h"

namespace {

// A gauge cell: a bevelled lamp in its socket, glowing when lit.
Canvas GaugeCell(bool lit) {
    Canvas c(8, 8);
    Ramp socket = RampOf(Steel), lamp = RampOf(lit ? Gauge : Steel);
    FillRect(c, 0, 0, 8, 8, socket[0]);
    FillRect(c, 0, 0, 7, 1, socket[3]);
    FillRect(c, 0, 0, 1, 7, socket[3]);
    FillRect(c, 1, 7, 7, 1, socket[1]);
    FillRect(c, 7, 1, 1, 7, socket[1]);
    ShadeBall(c, 4, 4, 2.8f, 2.8f, lamp, 0.5f, lit ? 0.15f : -0.35f);
    if (lit) c.Put(3, 2, White);
    return c;
}

// The boss icon: the crowned head that warns of the boss; its second picture glares red.
Canvas BossIcon(bool glaring) {
    Canvas c(16, 16);
    if (glaring) ShadeBall(c, 8, 9, 7.6f, 6.6f, RampOf(Fire), 0.7f, -0.25f);
    ShadeBall(c, 8, 10, 6.0f, 4.6f, RampOf(BossViolet), 0.6f);
    for (float side : {-1.0f, 1.0f}) {
        ShadeBall(c, 8 + side * 3.2f, 10, 2.5f, 2.5f, RampOf(Eye), 0.5f, glaring ? 0.35f : 0);
        c.Put(static_cast<int>(8 + side * 3.2f - 1), 9, White);
    }
    Ramp gold = RampOf(Gold);
    FillPolygon(c,
                {{3.5f, 6},
                 {3.5f, 1.5f},
                 {5.8f, 3.5f},
                 {8, 0.5f},
                 {10.2f, 3.5f},
                 {12.5f, 1.5f},
                 {12.5f, 6}},
                gold[3]);
    FillRect(c, 4, 4, 8, 2, gold[2]);
    c.Put(4, 2, gold[5]);
    c.Put(8, 1, gold[5]);
    c.Put(8, 4, RampOf(Berry)[4]);
    Outline(c);
    return c;
}

void PlaceText(Canvas& sheet, const std::string& text, Ramp ramp, int x, int y) {
    PlaceAt(sheet, Lettering(text, 1, ramp), x, y);
}

} // namespace

void DrawScoreArt(Canvas& sheet) {
    for (int d = 0; d < 10; ++d) {
        // Score digits sit one pixel in, so their shadow stays inside the cell.
        Canvas cell(8, 8);
        Overlay(cell, Lettering(std::to_string(d), 1, RampOf(Gold)), 1, 0);
        PlaceAt(sheet, cell, ScoreDigitX + 16 * d, ScoreDigitY);
        for (int colour = 0; colour < 2; ++colour) {
            Canvas narrow(4, 8);
            Overlay(narrow, Lettering(NarrowDigitMask(d, White), 1, RampOf(colour ? Fire : Star)),
                    0, 0);
            PlaceAt(sheet, narrow, (colour ? PopupDigit2X : PopupDigitX) + 8 * d, PopupDigitY);
        }
    }
    PlaceText(sheet, "1UP", RampOf(Player1Red), Label1X, LabelY);
    PlaceText(sheet, "2UP", RampOf(Player2Blue), Label2X, LabelY);
    PlaceText(sheet, "HI-SCORE", RampOf(Gold), LabelHighX, LabelY);
    // The bonus mark: a plus sign in the bonus colour, ahead of the bonus points.
    Canvas plus(3, 7);
    FillRect(plus, 1, 1, 1, 5, White);
    FillRect(plus, 0, 3, 3, 1, White);
    PlaceAt(sheet, Lettering(plus, 1, RampOf(Fire)), BonusMarkX, BonusMarkY);
    PlaceAt(sheet, GaugeCell(false), GaugeUnlitX, GaugeY);
    PlaceAt(sheet, GaugeCell(true), GaugeLitX, GaugeY);
    PlaceAt(sheet, BossIcon(false), BossIconX, BossIconY);
    PlaceAt(sheet, BossIcon(true), BossIcon2X, BossIconY);
}
