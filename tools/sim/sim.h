// kestor-sim: the whole program on the headless host, driven by a script, traced as JSON Lines.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "platform/host/headless/headless.h"

struct SimOptions {
    bool haveSeed = false;
    long long seed = 0;
    std::string shotsDir = ".";
    bool joystick = false;
    bool noSound = false;
    std::vector<std::string> fails; // resource:TYPE:ID, display, mouse, mouse-read
};

struct TraceRow;

// The state after one granted tick (or after one key message, with `key` set).
struct TraceRow {
    uint32_t t = 0;
    uint32_t tick = 0;
    int mode = 0, phase = 0, mission = 0;
    int p1 = 0, p2 = 0, hi = 0;
    int damage = 0, dish = 0, gauge = 0;
    int enemies = 0, objects = 0, popups = 0;
    std::vector<int> cues; // clip ids started in this tick
    int key = -1;
};

// Set to see each row as it comes instead of collecting them (long runs).
using RowSink = std::function<void(const TraceRow&)>;

struct SimResult {
    int exitCode = -1;
    std::vector<TraceRow> rows;
    std::vector<HeadlessBox> boxes;
    std::string error; // a script that could not be read
};

// Runs the program from start-up to exit under the script. Trace lines also go to `trace`.
SimResult RunSim(const std::string& script, const SimOptions& options, FILE* trace = nullptr,
                 const RowSink& onRow = nullptr);

// Reads a script and schedules its commands on the headless clock; the end of the script
// closes the window. False, with a message naming the line, when a line can't be read.
bool ScheduleScript(const std::string& script, const SimOptions& options, std::string* error);

// Tracing: rows are collected in `rows` and, when `out` is given, written as JSON Lines.
void StartTrace(std::vector<TraceRow>* rows, FILE* out, const RowSink& onRow = nullptr);
void TraceBox(const HeadlessBox& box, FILE* out);
void TraceExit(int code, FILE* out);
std::string TraceJson(const TraceRow& row);
// The autoplay: 0 off, 1 player 1, 2 both players.
void SetAutoplay(int players);
void AutoplayTick();
// The frame as presented now, written as a PNG.
bool WriteShot(const std::string& path);
