// kestor-sim [--seed N] [--trace FILE|-] [--shots DIR] [--joystick] [--no-sound]
//            [--fail resource:TYPE:ID|display|mouse|mouse-read] SCRIPT
#include <cstring>
#include <fstream>
#include <sstream>

#include "tools/sim/sim.h"

int main(int argc, char** argv) {
    SimOptions options;
    const char* tracePath = nullptr;
    const char* scriptPath = nullptr;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        bool hasValue = i + 1 < argc;
        if (arg == "--seed" && hasValue) {
            options.haveSeed = true;
            options.seed = std::atoll(argv[++i]);
        } else if (arg == "--trace" && hasValue) {
            tracePath = argv[++i];
        } else if (arg == "--shots" && hasValue) {
            options.shotsDir = argv[++i];
        } else if (arg == "--fail" && hasValue) {
            options.fails.emplace_back(argv[++i]);
        } else if (arg == "--joystick") {
            options.joystick = true;
        } else if (arg == "--no-sound") {
            options.noSound = true;
        } else if (!scriptPath && arg[0] != '-') {
            scriptPath = argv[i];
        } else {
            std::fprintf(stderr, "kestor-sim: unknown argument %s\n", argv[i]);
            return 2;
        }
    }
    if (!scriptPath) {
        std::fprintf(stderr, "usage: kestor-sim [options] SCRIPT\n");
        return 2;
    }
    std::ifstream in(scriptPath);
    if (!in) {
        std::fprintf(stderr, "kestor-sim: cannot read %s\n", scriptPath);
        return 2;
    }
    std::stringstream script;
    script << in.rdbuf();
    FILE* trace = nullptr;
    if (tracePath) trace = std::strcmp(tracePath, "-") == 0 ? stdout : std::fopen(tracePath, "w");
    if (tracePath && !trace) {
        std::fprintf(stderr, "kestor-sim: cannot write %s\n", tracePath);
        return 2;
    }
    SimResult result = RunSim(script.str(), options, trace);
    if (trace && trace != stdout) std::fclose(trace);
    if (!result.error.empty()) {
        std::fprintf(stderr, "kestor-sim: %s\n", result.error.c_str());
        return 2;
    }
    return result.exitCode;
}
