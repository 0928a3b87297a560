// The five kinds of fly, seen from above with the head up, and the falling pictures, seen from
// the side on their backs. Every kind is one body plan with its own proportions and colours, so
// a kind reads at a glance by its size, its outline and its colour.
#include <algorithm>
#include <cmath>
#include <vector>

#include "assets/sheet.h"
#include "enemies/enemies.h"

namespace {

// A fly in native pixels of its own cell.
struct Plan {
    Material body;
    float headY, headRx, headRy, eyeR;
    float thoraxY, thoraxR;
    float abdomenY, abdomenRx, abdomenRy;
    float wingLength, wingWidth;
    bool stripes, brows, crown, sack;
};

// clang-format off
constexpr Plan Plans[5] = {
    //            head: y    rx    ry    eye   thorax: y  r    abdomen: y rx   ry    wing: len width
    {FlyGrey,     3.6f,  3.1f, 2.2f, 1.9f, 6.9f,  2.6f, 10.9f, 2.7f, 3.9f, 6.0f,  2.0f, true,  false, false, false},
    {ToughGreen,  3.6f,  3.3f, 2.3f, 2.0f, 7.1f,  3.2f, 11.2f, 3.5f, 4.2f, 6.2f,  2.2f, false, true,  false, false},
    {BroodYellow, 1.9f,  1.7f, 1.2f, 1.0f, 3.6f,  1.4f, 5.6f,  1.5f, 2.0f, 3.2f,  1.2f, false, false, false, false},
    {CarrierPlum, 3.6f,  3.6f, 2.6f, 2.2f, 7.4f,  3.6f, 11.2f, 5.4f, 4.4f, 8.5f,  2.8f, true,  false, false, true},
    {BossViolet,  9.8f,  6.6f, 4.6f, 3.2f, 15.4f, 5.6f, 23.0f, 7.4f, 7.8f, 12.5f, 4.2f, true,  true,  true,  false},
};
// clang-format on

// The wing beat, as seen from above: raised wings look short, lowered ones sweep back.
struct Beat {
    float sweep; // degrees back from straight out
    float reach; // share of the full length
};
constexpr Beat Beats[4] = {{-5, 0.8f}, {22, 1.0f}, {48, 0.95f}, {28, 0.9f}};

// A concave dent: its upper-left side lies in shadow, its lower-right side catches the light.
void Dent(Canvas& c, float cx, float cy, float r) {
    Paint(c, int(cx - r - 1), int(cy - r - 1), int(cx + r + 2), int(cy + r + 2),
          [&](int x, int y, float px, float py) {
              float dx = px - cx, dy = py - cy;
              if (dx * dx + dy * dy > r * r || !c.Opaque(x, y)) return -1;
              return int(Shifted(c.At(x, y), dx + dy < 0 ? 2 : -2));
          });
}

// Compound eye: a lit red ball with a pitted surface and one glint.
void CompoundEye(Canvas& c, float cx, float cy, float r) {
    ShadeBall(c, cx, cy, r, r, RampOf(Eye), 0.6f);
    if (r >= 2.5f)
        Paint(c, int(cx - r), int(cy - r), int(cx + r + 1), int(cy + r + 1),
              [&](int x, int y, float px, float py) {
                  float dx = px - cx, dy = py - cy;
                  if (dx * dx + dy * dy > r * r * 0.8f || (x + 2 * y) % 3) return -1;
                  return int(Shifted(c.At(x, y), 1));
              });
    c.Put(int(cx - r * 0.4f), int(cy - r * 0.45f), White);
}

// A bent leg of two segments; drawn only where nothing else is, so it stays behind the body.
void Leg(Canvas& c, Vec hip, Vec knee, Vec foot, uint8_t colour) {
    Canvas leg(c.width, c.height);
    DrawLine(leg, hip, knee, colour);
    DrawLine(leg, knee, foot, colour);
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x)
            if (leg.Opaque(x, y) && !c.Opaque(x, y)) c.Put(x, y, colour);
}

// One wing from its root along `dir`: a dark rim, veins fanning from the root, and a membrane
// that lets every other pixel through, so the stars and the body show beneath it.
void DrawWing(Canvas& c, Vec root, Vec dir, float length, float width, bool torn, bool veins) {
    Ramp wing = RampOf(Wing);
    auto inside = [&](float px, float py) {
        float dx = px - root.x, dy = py - root.y;
        float u = dx * dir.x + dy * dir.y, v = dy * dir.x - dx * dir.y;
        if (u < 0) return false;
        float e = (u - length / 2) / (length / 2), w = v / width;
        if (e * e + w * w > 1) return false;
        // The tear: a ragged bite out of the tip.
        return !(torn && u > length * 0.45f + 0.9f * std::sin(v * 2.7f + u) && v > -width * 0.6f);
    };
    const Canvas under = c;
    Paint(c, 0, 0, c.width, c.height, [&](int x, int y, float px, float py) {
        if (!inside(px, py)) return -1;
        float dx = px - root.x, dy = py - root.y;
        float u = dx * dir.x + dy * dir.y, v = dy * dir.x - dx * dir.y;
        // The rim runs round the free edge; at the root the wing melts into the body.
        bool rim = u > length * 0.3f && (!inside(px + 1, py) || !inside(px - 1, py) ||
                                         !inside(px, py + 1) || !inside(px, py - 1));
        if (rim) return int(wing[2]);
        if (veins)
            for (float k : {-0.35f, 0.3f})
                if (std::fabs(v - k * width * u / length) < 0.5f) return int(wing[1]);
        if ((x + y) % 2) return under.Opaque(x, y) ? int(Shifted(under.At(x, y), -1)) : -1;
        // The leading edge faces the light.
        return int(wing[v * dir.x < 0 ? 4 : 3]);
    });
}

// The crown of the boss: a gold band with three points and a ruby, lit from the left.
void DrawCrown(Canvas& c, float cx, float top, float halfWidth, bool broken) {
    Ramp gold = RampOf(Gold);
    float base = top + halfWidth * 0.9f;
    std::vector<Vec> shape = {{cx - halfWidth, base},
                              {cx - halfWidth, top + 1},
                              {cx - halfWidth * 0.5f, top + halfWidth * 0.45f},
                              {cx, broken ? top + halfWidth * 0.5f : top},
                              {cx + halfWidth * 0.5f, top + halfWidth * 0.45f},
                              {cx + halfWidth, top + 1},
                              {cx + halfWidth, base}};
    Paint(c, int(cx - halfWidth - 1), int(top), int(cx + halfWidth + 1), int(base + 1),
          [&](int x, int y, float px, float py) {
              if (!InPolygon(shape, px, py)) return -1;
              float light = 0.85f - (px - cx + halfWidth) / (2 * halfWidth) * 0.6f;
              if (py > base - 1.5f) light -= 0.25f; // the band's lower lip
              return int(ToneAt(gold, light, x, y, 0.5f));
          });
    ShadeBall(c, cx, base - 2.2f, 1.4f, 1.2f, RampOf(Berry));
}

// The sack of young the carrier hauls: tied at the top, patched, with brood peeking out.
void DrawSack(Canvas& c, float cx, float cy, float r, bool torn) {
    ShadeBall(c, cx, cy, r * 1.1f, r, RampOf(Sack), 0.5f);
    Ramp sack = RampOf(Sack);
    for (int i = -1; i <= 1; ++i) // folds drawn to the knot
        DrawLine(c, {cx + F(i) * r * 0.6f, cy + r * 0.6f}, {cx + F(i) * 0.6f, cy - r * 0.8f},
                 sack[2]);
    ShadeBall(c, cx, cy - r - 0.6f, 1.6f, 1.1f, RampOf(Sack));
    for (float dx : {-r * 0.55f, r * 0.5f}) {
        ShadeBall(c, cx + dx, cy - r * 0.55f, 1.5f, 1.3f, RampOf(BroodYellow));
        c.Put(int(cx + dx), int(cy - r * 0.55f), RampOf(Eye)[3]);
    }
    if (torn) {
        DrawLine(c, {cx + r * 0.2f, cy + r * 0.1f}, {cx + r * 0.8f, cy + r * 0.5f}, sack[0]);
        DrawLine(c, {cx + r * 0.4f, cy - r * 0.1f}, {cx + r * 0.55f, cy + r * 0.7f}, sack[1]);
    }
}

Plan Scaled(Plan p, float k) {
    for (float* v : {&p.headY, &p.headRx, &p.headRy, &p.eyeR, &p.thoraxY, &p.thoraxR, &p.abdomenY,
                     &p.abdomenRx, &p.abdomenRy, &p.wingLength, &p.wingWidth})
        *v *= k;
    return p;
}

} // namespace

Canvas FlyPicture(int kind, int frame, bool damaged, int scale) {
    const float k = F(scale);
    const Plan p = Scaled(Plans[kind], k);
    const int size = EnemyKinds[kind].size / 2 * scale;
    const float cx = F(size) / 2;
    const float s = F(size) / 16; // leg and detail scale
    Canvas c(size, size);
    Ramp body = RampOf(p.body);

    // Bodies are lifted a little so that even the dark housefly reads against deep space.
    ShadeBall(c, cx, p.abdomenY, p.abdomenRx, p.abdomenRy, body, 0.7f, 0.25f);
    if (p.stripes) // the rings of the abdomen
        for (float t = -0.2f; t < 1; t += 0.45f)
            Darken(c, cx, p.abdomenY + p.abdomenRy * t, p.abdomenRx * 1.1f, 0.5f * s + 0.2f, 1);
    ShadeBall(c, cx, p.thoraxY, p.thoraxR, p.thoraxR * 0.95f, body, 0.7f, 0.32f);
    if (p.stripes && kind != Brood)
        for (float dx : {-0.35f, 0.35f})
            Darken(c, cx + dx * p.thoraxR, p.thoraxY, 0.45f * s, p.thoraxR * 0.8f, 1);
    ShadeBall(c, cx, p.headY, p.headRx, p.headRy, body, 0.7f, 0.25f);
    for (float side : {-1.0f, 1.0f})
        CompoundEye(c, cx + side * (p.headRx - p.eyeR * 0.55f), p.headY - p.headRy * 0.1f, p.eyeR);
    if (p.brows) // a scowl over each eye
        for (float side : {-1.0f, 1.0f})
            DrawLine(c, {cx + side * 0.6f * s, p.headY - p.eyeR * 0.9f},
                     {cx + side * (p.headRx - 0.3f), p.headY - p.eyeR * 1.5f}, body[1]);
    if (p.crown) // the boss bares its fangs
        for (float side : {-1.0f, 1.0f})
            DrawLine(c, {cx + side * 1.2f * k, p.headY + p.headRy * 0.6f},
                     {cx + side * 0.7f * k, p.headY + p.headRy + 1.2f * k}, RampOf(Cream)[4]);
    if (damaged) { // a dent in the back and a crack running from it
        Dent(c, cx + p.thoraxR * 0.2f, p.abdomenY - p.abdomenRy * 0.3f, p.abdomenRx * 0.6f);
        DrawLine(c, {cx + p.thoraxR * 0.2f, p.abdomenY - p.abdomenRy * 0.3f},
                 {cx - p.abdomenRx * 0.5f, p.abdomenY + p.abdomenRy * 0.5f}, body[1]);
    }
    if (damaged && kind == Boss) Dent(c, cx - p.abdomenRx * 0.35f, p.abdomenY + k, 2.2f * k);
    if (p.crown) DrawCrown(c, cx, 0.5f * k, p.headRx * 0.75f, damaged);
    if (p.sack) DrawSack(c, cx, 18.6f * k, 4.6f * k, damaged);
    Outline(c);

    // Legs: fore, mid and hind pairs, twitching with the beat.
    const float twitch = frame % 2 ? 0.5f * s : 0;
    const uint8_t legColour = RampOf(FlyGrey)[3];
    for (float side : {-1.0f, 1.0f})
        for (int i = 0; i < 3; ++i) {
            float hipY = p.thoraxY + (F(i) - 1) * p.thoraxR * 0.5f;
            float reach = p.thoraxR + 2.2f * s;
            float bend = (F(i) - 1) * 2.4f * s;
            Vec hip = {cx + side * p.thoraxR * 0.5f, hipY};
            Vec knee = {cx + side * reach, hipY + bend * 0.6f - 0.5f * s};
            Vec foot = {cx + side * (reach + 1.4f * s), hipY + bend * 1.5f + (i == 1 ? twitch : 0)};
            if (p.sack && i == 2) foot = {cx + side * (p.abdomenRx * 0.6f), 16.5f * k};
            Leg(c, hip, knee, foot, legColour);
        }

    const Beat& b = Beats[frame];
    const float a = b.sweep * Tau / 360;
    for (float side : {-1.0f, 1.0f}) {
        Vec root = {cx + side * p.thoraxR * 0.3f, p.thoraxY + p.thoraxR * 0.45f};
        Vec dir = {side * std::cos(a), std::sin(a)};
        bool torn = damaged && (side > 0 || kind == Boss);
        DrawWing(c, root, dir, p.wingLength * b.reach, p.wingWidth, torn, size >= 24);
    }
    return c;
}

// On its back, seen from the side: belly up, legs kicking at the sky, eyes crossed out.
Canvas FallingPicture(int kind) {
    const Plan& p = Plans[kind];
    const int size = FallSprite[kind].size / 2;
    const float s = F(size) / 16;
    const bool fat = p.sack;
    Canvas c(size, size);
    Ramp body = RampOf(p.body);
    // In sixteenths of the cell: the body lies along the middle, head to the left.
    const Vec belly = {10.4f * s, 10.6f * s}, chest = {6.0f * s, 10.4f * s};
    const float bellyRx = (fat ? 5.0f : 4.4f) * s, bellyRy = (fat ? 3.8f : 2.7f) * s;
    DrawWing(c, {belly.x - 1 * s, belly.y + 1.5f * s}, {0.8f, 0.6f}, 5.2f * s, 1.7f * s, false,
             false);
    Canvas figure(size, size);
    ShadeBall(figure, belly.x, belly.y, bellyRx, bellyRy, body, 0.7f, 0.3f); // the pale belly
    ShadeBall(figure, chest.x, chest.y, 2.3f * s, 2.2f * s, body, 0.7f, 0.2f);
    const Vec eye = {3.0f * s, 9.6f * s};
    const float eyeR = std::max(1.2f, 2.3f * s);
    ShadeBall(figure, eye.x, eye.y, eyeR, eyeR, RampOf(Eye), 0.6f, 0.1f);
    if (p.sack) DrawSack(figure, belly.x + 1.5f * s, belly.y - bellyRy - 1.2f * s, 2.6f * s, true);
    Outline(figure);
    Overlay(c, figure, 0, 0);
    // The eye crossed out.
    const float arm = std::max(0.6f, eyeR * 0.55f);
    DrawLine(c, {eye.x - arm, eye.y - arm}, {eye.x + arm, eye.y + arm}, White);
    DrawLine(c, {eye.x - arm, eye.y + arm}, {eye.x + arm, eye.y - arm}, White);
    // Three legs kicking at the sky, bent at the knee.
    const uint8_t leg = RampOf(FlyGrey)[4];
    for (int i = 0; i < 3; ++i) {
        const float x = chest.x + (F(i) * 2.2f - 0.5f) * s;
        const Vec hip = {x, chest.y - 2.0f * s};
        const Vec knee = {x - (1.4f - F(i) * 0.3f) * s, chest.y - 5.0f * s};
        const Vec foot = {knee.x + (1.8f + F(i % 2)) * s, std::max(0.5f, chest.y - 7.8f * s)};
        Leg(c, hip, knee, foot, leg);
    }
    return c;
}

void DrawFlies(Canvas& sheet) {
    for (int kind = 0; kind < 5; ++kind) {
        const EnemyKindInfo& k = EnemyKinds[kind];
        for (int set = 0; set < (k.maxHitPoints > 1 ? 2 : 1); ++set)
            for (int f = 0; f < k.frameCount; ++f)
                PlaceAt(sheet, FlyPicture(kind, f, set == 1, 1),
                        k.sheetX + (set * k.frameCount + f) * k.size, k.sheetY);
    }
    for (int kind : {Common, Brood, Carrier})
        PlaceAt(sheet, FallingPicture(kind), FallSprite[kind].sheetX, FallSprite[kind].sheetY);
}
