#include "assets/sheet.h"

#include "assets/assets.h"
#include "assets/bmp.h"

void PlaceAt(Canvas& sheet, const Canvas& picture, int x, int y) {
    Place(sheet, picture, x / 2, y / 2);
}

Canvas DrawSheet() {
    Canvas sheet(SheetWidth, SheetHeight);
    DrawStarField(sheet);
    DrawFlies(sheet);
    DrawSwatters(sheet);
    DrawBursts(sheet);
    DrawItems(sheet);
    DrawDishes(sheet);
    DrawScoreArt(sheet);
    return sheet;
}

bool WriteSpriteSheet(const std::string& path) {
    Canvas sheet = DrawSheet();
    return WriteFile(path, EncodeBmp8(sheet.width, sheet.height, sheet.pixels, SheetPalette()));
}
