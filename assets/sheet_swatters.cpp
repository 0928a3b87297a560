// The players' fly swatters, ready and swinging, and the dashed marks their swats leave. One
// swatter shape serves every size and colour: a rimmed mesh on top, the handle's stub below.
#include <algorithm>
#include <cmath>
#include <vector>

#include "assets/sheet.h"
#include "players/objects.h"
#include "players/swatters.h"

namespace {

constexpr Material PlayerColour[2] = {Player1Red, Player2Blue};

// Depth into a rounded rectangle (positive inside) and the way its nearest edge faces.
struct Edge {
    float depth, nx, ny;
};
Edge RoundedBox(float px, float py, float w, float h, float r) {
    float qx = std::fabs(px - w / 2) - (w / 2 - r), qy = std::fabs(py - h / 2) - (h / 2 - r);
    float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
    float corner = std::sqrt(ox * ox + oy * oy);
    float depth = r - corner - std::min(std::max(qx, qy), 0.0f);
    float sx = px < w / 2 ? -1.0f : 1.0f, sy = py < h / 2 ? -1.0f : 1.0f;
    if (ox > 0 && oy > 0) return {depth, sx * ox / corner, sy * oy / corner};
    return qx > qy ? Edge{depth, sx, 0} : Edge{depth, 0, sy};
}

// What a swatter is made of and how big it is, in native pixels.
struct Look {
    Material rim, mesh;
    float width, height, handle;
    bool blurred = false; // in a swing the mesh is a blur of strands, no holes to see
};

constexpr int Outside = -1, Hole = -2;

float MeshHeight(const Look& l) {
    return l.height - l.handle;
}
float RimWidth(const Look& l) {
    return l.width >= 40 ? 2.6f : 1.8f;
}

// One point of the swatter in its own upright frame (u, v), drawn at picture pixel (x, y):
// rim, mesh strands, holes or handle.
int SwatterPixel(const Look& l, float u, float v, int x, int y) {
    const float mh = MeshHeight(l);
    Edge e = RoundedBox(u, v, l.width, mh, mh * 0.36f);
    if (e.depth > 0) {
        // The rim is a rounded tube: lit where its edge faces the top left.
        if (e.depth < RimWidth(l)) {
            float across = e.depth / RimWidth(l) - 0.5f;
            float light = 0.55f - 0.4f * (e.nx + e.ny) * 0.7f - across * 0.5f;
            return ToneAt(RampOf(l.rim), light, int(u), int(v), 0.4f);
        }
        int i = int(std::floor(u)), j = int(std::floor(v));
        bool strand = l.blurred ? (x + y) % 2 == 0 : i % 3 == 1 || j % 3 == 1;
        if (!strand) return Hole;
        float light = 0.75f - 0.45f * (u / l.width + v / mh) + (l.blurred ? 0.15f : 0);
        return ToneAt(RampOf(l.mesh), light, x, y, 0.8f);
    }
    // The handle: a stub that flares into the rim and runs out of the picture at the bottom.
    const float neck = l.width * 0.075f + (v < mh + 1 ? (mh + 1 - v) * 0.8f : 0);
    const float du = u - l.width / 2;
    if (v > mh - 1.5f && v < l.height && std::fabs(du) < neck + 0.6f) {
        float light = 0.7f - du / (neck + 0.6f) * 0.45f;
        return ToneAt(RampOf(Handle), light, int(u), int(v), 0.3f);
    }
    return Outside;
}

// Draws the swatter, seen through `toUpright` (cell point to upright point), and outlines
// its silhouette from outside only, so the holes of the mesh stay see-through.
template <class Map> Canvas Render(const Look& l, int w, int h, Map toUpright) {
    Canvas c(w, h);
    std::vector<int> kind(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Vec p = toUpright(F(x) + 0.5f, F(y) + 0.5f);
            kind[y * w + x] = SwatterPixel(l, p.x, p.y, x, y);
            if (kind[y * w + x] >= 0) c.Put(x, y, static_cast<uint8_t>(kind[y * w + x]));
        }
    const uint8_t ink = RampOf(l.rim)[0];
    auto shape = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < w && y < h && kind[y * w + x] != Outside;
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (!shape(x, y) &&
                (shape(x + 1, y) || shape(x - 1, y) || shape(x, y + 1) || shape(x, y - 1)))
                c.Put(x, y, ink);
    return c;
}

Look PlayerLook(int player, bool powered) {
    const Rect& r = powered ? PoweredPicture[player] : NormalPicture[player];
    return {powered ? Gold : PlayerColour[player], PlayerColour[player], F(r.right - r.left) / 2,
            F(r.bottom - r.top) / 2, F(powered ? 12 : 8) / 2};
}

// The swat mark: the strike area traced with a dashed line, gone in its second frame.
Canvas SwatMark(int player, bool powered) {
    const Look l = PlayerLook(player, powered);
    const int w = int(l.width), h = int(l.height);
    const float mh = MeshHeight(l);
    Canvas c(w, h);
    Ramp ink = RampOf(PlayerColour[player]);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Edge e = RoundedBox(F(x) + 0.5f, F(y) + 0.5f, l.width, mh, mh * 0.36f);
            if (e.depth <= 0 || e.depth > 1.0f) continue;
            if ((x + y) % 6 < 3)
                c.Put(x, y, (x + y) % 6 == 1 ? ink[ink.Top()] : ink[ink.Top() - 1]);
        }
    return c;
}

} // namespace

Canvas SwatterPicture(int player, bool powered, bool swinging) {
    const Look l = PlayerLook(player, powered);
    const int w = int(l.width), h = int(l.height);
    if (!swinging) {
        Canvas c = Render(l, w, h, [](float x, float y) { return Vec{x, y}; });
        if (powered) {
            // A powered swatter glitters at its corners.
            Sparkle(c, 4, 3, 1);
            Sparkle(c, w - 6, int(MeshHeight(l)) - 4, 1);
        }
        return c;
    }
    // Swinging: the head whips forward over the hand, so it leans, shortens and blurs, and
    // the air it sweeps through leaves smear lines behind its upper edge. The handle stays put.
    Look blur = l;
    blur.blurred = true;
    const float mh = MeshHeight(l), squash = 0.78f, lean = 0.32f;
    Canvas c = Render(blur, w, h, [&](float x, float y) {
        if (y >= mh) return Vec{x, y};
        float up = mh - y;
        return Vec{(x - l.width / 2 - up * lean) / 0.92f + l.width / 2, mh - up / squash};
    });
    Ramp smear = RampOf(PlayerColour[player]);
    for (int k = 1; k <= 3; ++k)
        for (int x = 0; x < w; ++x) {
            // The upper edge of the tipped head at this column, found by walking down to it.
            int top = 0;
            while (top < h && !c.Opaque(x, top)) ++top;
            int y = top - 1 - 2 * k + (x * 3 / w);
            if (top >= h || y < 0 || (x + 3 * k) % 7 < 2 + k) continue;
            if (!c.Opaque(x, y)) c.Put(x, y, smear[smear.Top() - k + 1]);
        }
    return c;
}

// The power-up item: a small golden swatter, tipped jauntily.
Canvas PowerUpSwatter(int size) {
    const Look l = {Gold, Star, F(size) * 0.66f, F(size) * 0.94f, F(size) * 0.3f};
    const float cs = std::cos(0.45f), sn = std::sin(0.45f), c = F(size) / 2;
    return Render(l, size, size, [&](float x, float y) {
        float dx = x - c, dy = y - c;
        return Vec{dx * cs + dy * sn + l.width / 2, -dx * sn + dy * cs + l.height / 2};
    });
}

void DrawSwatters(Canvas& sheet) {
    for (int player = 0; player < 2; ++player)
        for (bool powered : {false, true}) {
            const Rect& r = powered ? PoweredPicture[player] : NormalPicture[player];
            PlaceAt(sheet, SwatterPicture(player, powered, false), r.left, r.top);
            PlaceAt(sheet, SwatterPicture(player, powered, true), r.right, r.top);
            const AnimRow& mark =
                AnimInfo[powered ? PoweredSwatMark1 + player : SwatMark1 + player];
            PlaceAt(sheet, SwatMark(player, powered), mark.sheetX, mark.sheetY);
            PlaceAt(sheet, Canvas(mark.width / 2, mark.height / 2), mark.sheetX + mark.width,
                    mark.sheetY);
        }
}
