// Every cell of the sprite sheet that the game's tables name, in sheet-surface coordinates
// (the 640x1920 doubled sheet). The review sheet outlines them and the tests check them.
#pragma once

#include <string>
#include <vector>

struct SheetCell {
    std::string name;
    int x, y, width, height;
    bool blank; // drawn wholly transparent on purpose (the vanished swat mark)
};

std::vector<SheetCell> SheetCells();
