#include "enemies/movement.h"

#include <cmath>

#include "app/flow.h"
#include "enemies/enemies.h"

namespace {

double Radians(double degrees) {
    return degrees * Pi / 180;
}

// Straight flight along `angle` from the anchor: x and y each run on their own step counter,
// so a bounce can restart x from the edge while the descent goes on.
int SlantX(const Enemy* e) {
    return e->anchorX + static_cast<int>(std::cos(Radians(e->angle)) * e->step1 * e->speed);
}
// Measured from the top edge: only Line adds its anchor.
int SlantDrop(const Enemy* e) {
    return static_cast<int>(std::sin(Radians(e->angle)) * e->step2 * e->speed);
}

void OnCircle(Enemy* e, int radius) {
    double phi = Radians(e->circleAngle);
    e->x = e->circleX + static_cast<int>(std::cos(phi) * radius);
    e->y = e->circleY + static_cast<int>(std::sin(phi) * radius);
}

// Swoop's loop: once round a circle of radius 80, then on down, mirrored if need be so that
// it leaves the loop heading away from the side it came from.
void SwoopCircle(Enemy* e) {
    OnCircle(e, 80);
    if (e->circleReverse == 1) {
        e->circleAngle -= e->speed;
        if (e->circleAngle < 180) {
            e->anchorX = e->x;
            if (e->angle >= 90) e->angle = 180 - e->angle;
            e->leg = 2;
            e->step1 = 0;
        }
    } else {
        e->circleAngle += e->speed;
        if (e->circleAngle > 360) {
            e->anchorX = e->x;
            if (e->angle < 90) e->angle = 180 - e->angle;
            e->step1 = 0;
            e->leg = 2;
        }
    }
}

void SwoopDive(Enemy* e) {
    e->x = SlantX(e);
    e->y = SlantDrop(e);
    if (e->leg != 0 || e->y < 170) return;
    e->leg = 1;
    e->circleY = e->y;
    if (e->x < 320) {
        e->circleX = e->x + 80;
        e->circleAngle = 540;
        e->circleReverse = 1;
    } else {
        e->circleX = e->x - 80;
        e->circleAngle = 0;
        e->circleReverse = 0;
    }
}

// Down, right, up, left three times round, the last leftward leg stopping at the middle,
// then straight down onto the dish.
void RectangleCircuit(Enemy* e) {
    const int size = EnemyKinds[Boss].size;
    if (e->leg > 11) {
        e->y += e->speed;
        return;
    }
    switch (e->leg % 4) {
    case 0:
        e->y += e->speed;
        if (e->y >= 240) e->leg += 1;
        break;
    case 1:
        e->x += e->speed;
        if (e->x >= 560 - size) e->leg += 1;
        break;
    case 2:
        e->y -= e->speed;
        if (e->y <= 0) {
            e->y = 0;
            e->leg += 1;
        }
        break;
    default:
        e->x -= e->speed;
        if (e->x <= 80 || (e->leg == 11 && e->x + size / 2 <= 320)) e->leg += 1;
        break;
    }
}

struct Spot {
    int x, y;
};
constexpr Spot HopSpots[5] = {{288, 160}, {80, 240}, {496, 96}, {496, 240}, {80, 96}};

// Sixteen hops between five spots, about 21 ticks on each, then down from the last.
void Hops(Enemy* e) {
    if (e->leg > 15) {
        e->y += e->speed;
        return;
    }
    e->x = HopSpots[e->leg % 5].x;
    e->y = HopSpots[e->leg % 5].y;
    if (e->step2 > 20) {
        e->step2 = 0;
        e->leg += 1;
    }
}

void LongCircle(Enemy* e) {
    if (e->leg != 0) {
        e->y += e->speed;
        return;
    }
    OnCircle(e, 120);
    e->circleAngle -= e->speed;
    if (e->circleAngle < 90) e->leg = 1;
}

void FollowBossPath(Enemy* e) {
    switch (MissionIndex % 5) {
    case 0:
        e->x = SlantX(e);
        e->y = SlantDrop(e);
        break;
    case 1:
        RectangleCircuit(e);
        break;
    case 2:
        e->x =
            e->anchorX + static_cast<int>(250 * std::sin(e->speed * e->step2 * 1.8849555921 / 180));
        e->y += 2;
        break;
    case 3:
        Hops(e);
        break;
    default:
        LongCircle(e);
        break;
    }
}

bool Bounces(const Enemy* e) {
    return e->pattern == Line || e->pattern == Swoop ||
           (e->pattern == BossPath && MissionIndex % 5 == 0);
}

} // namespace

int WaveOffset(double degrees) {
    return static_cast<int>(150 * std::sin(Radians(degrees)));
}

bool MoveEnemy(Enemy* e) {
    switch (e->state) {
    case Stunned:
    case Eating:
        return false;
    case Falling:
        e->y += 8;
        break;
    default:
        switch (e->pattern) {
        case Line:
            e->x = SlantX(e);
            e->y = e->anchorY + SlantDrop(e);
            break;
        case Wave:
            e->x = e->anchorX + WaveOffset(e->step2 * e->speed * 0.6 + e->angle);
            e->y += static_cast<int>(e->speed * 0.5);
            break;
        case Swoop:
            if (e->leg == 1) {
                SwoopCircle(e);
                return false; // the loop is neither counted nor kept inside the edges
            }
            SwoopDive(e);
            break;
        case Cross:
            e->x += 6;
            break;
        default:
            FollowBossPath(e);
            break;
        }
    }
    e->step1 += 1;
    e->step2 += 1;
    if (e->y > 480) return true;
    const int size = EnemyKinds[e->kind].size;
    if (e->x >= 0 && e->x <= 640 - size) return false;
    // Bounced, but left beyond the edge for this tick: the next tick starts it from the edge.
    if (Bounces(e)) {
        e->anchorX = e->x < 0 ? 0 : 640 - size;
        e->step1 = 0;
        e->angle = 180 - e->angle;
    }
    return false;
}
