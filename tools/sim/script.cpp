#include <map>
#include <sstream>

#include "app/frame.h"
#include "tools/sim/sim.h"

namespace {

int KeyCode(const std::string& name) {
    static const std::map<std::string, int> named = {
        {"ENTER", VK_RETURN}, {"PAUSE", VK_PAUSE}, {"ESCAPE", VK_ESCAPE}, {"F1", VK_F1},
        {"F2", VK_F2},        {"F3", VK_F3},       {"LEFT", VK_LEFT},     {"RIGHT", VK_RIGHT},
        {"UP", VK_UP},        {"DOWN", VK_DOWN},   {"SHIFT", VK_SHIFT},   {"CTRL", VK_CONTROL},
        {"SPACE", VK_SPACE}};
    if (auto it = named.find(name); it != named.end()) return it->second;
    if (name.size() == 1 &&
        ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= '0' && name[0] <= '9')))
        return name[0];
    return -1;
}

// Random play for soak runs, from a generator of its own so the game's random numbers
// follow exactly the calls the game makes.
struct Chaos {
    uint32_t state;
    uint32_t end;
    uint32_t Next() {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
};

void ChaosStep(Chaos chaos, uint32_t at) {
    if (at >= chaos.end) return;
    uint32_t r = chaos.Next();
    switch (r % 64) {
    case 0:
        HeadlessPushEvent(HostKeyPress, VK_F1);
        break;
    case 1:
        HeadlessPushEvent(HostKeyPress, VK_F2);
        break;
    case 2:
        HeadlessPushEvent(HostKeyPress, VK_F3);
        break;
    case 3:
        HeadlessPushEvent(HostKeyPress, VK_RETURN);
        break;
    case 4:
        if (chaos.Next() % 8 == 0) HeadlessPushEvent(HostKeyPress, VK_PAUSE);
        break;
    case 5:
        SetAutoplay(static_cast<int>(chaos.Next() % 3));
        break;
    default:
        break;
    }
    HeadlessMouseMove(static_cast<int>(chaos.Next() % 121) - 60,
                      static_cast<int>(chaos.Next() % 121) - 60);
    if (r % 3 == 0) HeadlessMouseButton(chaos.Next() % 2 == 0);
    constexpr int keys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_SHIFT, VK_CONTROL};
    HeadlessHoldKey(keys[chaos.Next() % 6], chaos.Next() % 2 == 0);
    if (r % 7 == 0) HeadlessJoystick(chaos.Next() % 65536, chaos.Next() % 65536, chaos.Next() % 4);
    HeadlessAt(at + 40, [chaos, at] { ChaosStep(chaos, at + 40); });
}

bool ApplyFail(const std::string& fail) {
    HeadlessFaults& f = HeadlessFault();
    if (fail == "display") return f.noDisplay = true;
    if (fail == "mouse") return (f.mouseOpenStep = 1), true;
    if (fail == "mouse-read") return f.mouseReadFails = true;
    if (fail.rfind("resource:", 0) == 0) {
        size_t colon = fail.find(':', 9);
        if (colon == std::string::npos) return false;
        f.missingResources.emplace_back(fail.substr(9, colon - 9),
                                        std::atoi(fail.c_str() + colon + 1));
        return true;
    }
    return false;
}

} // namespace

bool ScheduleScript(const std::string& script, const SimOptions& options, std::string* error) {
    std::istringstream lines(script);
    std::string line;
    uint32_t at = 0;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        if (size_t hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::string command;
        if (!(words >> command)) continue;
        std::string a, b;
        long long n1 = 0, n2 = 0, n3 = 0, n4 = 0;
        bool ok = true;
        if (command == "wait") {
            ok = static_cast<bool>(words >> n1) && n1 >= 0;
            at += static_cast<uint32_t>(n1);
        } else if (command == "key") {
            int vk = (words >> a) ? KeyCode(a) : -1;
            ok = vk >= 0;
            HeadlessAt(at, [vk] {
                HeadlessHoldKey(vk, true);
                HeadlessHoldKey(vk, false);
                HeadlessPushEvent(HostKeyPress, vk);
            });
        } else if (command == "hold" || command == "release") {
            int vk = (words >> a) ? KeyCode(a) : -1;
            ok = vk >= 0;
            bool held = command == "hold";
            HeadlessAt(at, [vk, held] { HeadlessHoldKey(vk, held); });
        } else if (command == "mouse") {
            ok = static_cast<bool>(words >> n1 >> n2);
            HeadlessAt(at,
                       [n1, n2] { HeadlessMouseMove(static_cast<int>(n1), static_cast<int>(n2)); });
        } else if (command == "button") {
            ok = (words >> a) && (a == "down" || a == "up");
            bool down = a == "down";
            HeadlessAt(at, [down] { HeadlessMouseButton(down); });
        } else if (command == "joystick") {
            ok = static_cast<bool>(words >> n1 >> n2 >> n3 >> n4);
            auto buttons = static_cast<uint32_t>((n3 ? 1 : 0) | (n4 ? 2 : 0));
            HeadlessAt(at, [n1, n2, buttons] {
                HeadlessJoystick(static_cast<uint32_t>(n1), static_cast<uint32_t>(n2), buttons);
            });
        } else if (command == "focus") {
            ok = (words >> a) && a == "lost";
            HeadlessAt(at, [] { HeadlessPushEvent(HostFocusLost); });
        } else if (command == "close") {
            HeadlessAt(at, [] { HeadlessPushEvent(HostWindowClosed); });
        } else if (command == "chaos") {
            ok = static_cast<bool>(words >> n1 >> n2) && n1 >= 0;
            Chaos chaos = {static_cast<uint32_t>(n2), at + static_cast<uint32_t>(n1)};
            uint32_t start = at;
            HeadlessAt(at, [chaos, start] { ChaosStep(chaos, start); });
            at += static_cast<uint32_t>(n1);
        } else if (command == "autoplay") {
            ok = (words >> a) && (a == "on" || a == "off" || a == "2");
            int players = a == "on" ? 1 : a == "2" ? 2 : 0;
            HeadlessAt(at, [players] { SetAutoplay(players); });
        } else if (command == "shot") {
            ok = static_cast<bool>(words >> a);
            std::string path = options.shotsDir + "/" + a + ".png";
            HeadlessAt(at, [path] { WriteShot(path); });
        } else {
            ok = false;
        }
        if (!ok) {
            *error = "line " + std::to_string(number) + ": cannot read \"" + line + "\"";
            return false;
        }
    }
    // A script that ends leaves the program running no longer: the window closes.
    HeadlessAt(at, [] { HeadlessPushEvent(HostWindowClosed); });
    return true;
}

SimResult RunSim(const std::string& script, const SimOptions& options, FILE* trace,
                 const RowSink& onRow) {
    SimResult result;
    ReleaseStartUpObjects(); // of a run before this one in the same process
    HeadlessReset();
    HeadlessSetCalendarSeconds(options.haveSeed ? options.seed : 0);
    HeadlessAttachJoystick(options.joystick);
    HeadlessFault().noSound = options.noSound;
    for (const std::string& fail : options.fails) {
        if (!ApplyFail(fail)) {
            result.error = "unknown fault \"" + fail + "\"";
            return result;
        }
    }
    if (!ScheduleScript(script, options, &result.error)) return result;
    SetAutoplay(0);
    StartTrace(onRow ? nullptr : &result.rows, trace, onRow);
    HeadlessOnBox = [trace](const HeadlessBox& box) { TraceBox(box, trace); };
    result.exitCode = KestorMain();
    ReleaseStartUpObjects();
    TraceExit(result.exitCode, trace);
    result.boxes = HeadlessBoxes();
    return result;
}
