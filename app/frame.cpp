#include "app/frame.h"

#include <cstdlib>
#include <new>

#include "app/flow.h"
#include "enemies/effects.h"
#include "enemies/enemies.h"
#include "enemies/schedule.h"
#include "platform/display.h"
#include "platform/host/host.h"
#include "platform/sound.h"
#include "platform/text.h"
#include "players/input.h"
#include "players/playfield.h"

Dib* SpriteSheet = nullptr;
int Paused = 0;
uint32_t NextTickTime = 0;
uint32_t FrameCounter = 0;
int QuitPosted = 0;

namespace {

int ErrorBox(const char* text) {
    HostMessageBox("Error", text);
    return 0;
}

// One turn of the old message dispatch for each host event.
void Dispatch(const HostEvent& event) {
    switch (event.kind) {
    case HostKeyPress:
        MainWndProc(WM_KEYDOWN, event.key);
        HostKeyDone(event.key);
        break;
    case HostFocusLost:
        MainWndProc(WM_ACTIVATEAPP, 0);
        break;
    case HostWindowClosed:
        MainWndProc(WM_DESTROY, 0);
        break;
    case HostWindowExposed:
        MainWndProc(WM_PAINT, 0);
        break;
    }
}

int MainLoop() {
    for (;;) {
        HostEvent event;
        if (HostTakeEvent(&event)) {
            Dispatch(event);
            continue;
        }
        if (QuitPosted) return 0;
        if (GameFrame()) continue;
        // Nothing to do until the next tick is due, or until a key arrives: sleep, don't spin.
        uint32_t now = GetTickCount();
        bool ticking = GameMode == Playing && !Paused;
        HostWaitEvent(ticking ? NextTickTime : now + 1000);
    }
}

} // namespace

int KestorMain() {
    // The window comes first, so that a start-up that fails shows its boxes as boxes; it then
    // reports it with exit code 1.
    HostOpenWindow("Kestor");
    if (!AppInit()) return 1;
    return MainLoop();
}

void ReleaseStartUpObjects() {
    StopTitleMusic();
    ReleaseSoundBank();
    delete SpriteSheet;
    SpriteSheet = nullptr;
    delete lpDDSPrimary;
    lpDDSPrimary = nullptr;
    delete lpDDSBack;
    lpDDSBack = nullptr;
    lpDD = false;
    delete lpDDSSheet;
    lpDDSSheet = nullptr;
    delete lpDDPal;
    lpDDPal = nullptr;
    delete lpDDPalTitle;
    lpDDPalTitle = nullptr;
}

int AppInit() {
    QuitPosted = 0;
    NextTickTime = 0;
    Paused = 0;
    SpriteSheet = new (std::nothrow) Dib;
    if (!SpriteSheet) return ErrorBox("DIBオブジェクト作成失敗");
    const uint8_t* sheet = nullptr;
    size_t sheetBytes = 0;
    if (!HostFindResource("BIN", 101, &sheet, &sheetBytes))
        return ErrorBox("LoadResource リソースロード失敗");
    if (!sheet) return ErrorBox("LockResource リソースロック失敗");
    if (!SpriteSheet->LoadResource(sheet, sheetBytes))
        return ErrorBox("pDib->LoadResource DIBオブジェクトへのリソースロード失敗");
    if (!DDInit()) return ErrorBox("DDInit DirectDraw 初期化失敗");
    if (!DDSInit()) return ErrorBox("DDSInit DirectDrawサーフェス初期化失敗");
    ClearSurface(lpDDSPrimary);
    ClearSurface(lpDDSBack);
    SetRGBQuadPalette(&lpDDPal, SpriteSheet->ColorTable());
    if (!lpDDPal) return ErrorBox("SetRGBQuadPalette パレットコピー失敗");
    SetSurfacePalette(lpDDSPrimary, lpDDPal);
    SetSurfacePalette(lpDDSBack, lpDDPal);
    lpDDSSheet = GetNewSurface(SpriteSheet->Width() * 2, SpriteSheet->Height() * 2);
    if (!lpDDSSheet) return ErrorBox("GetNewSurface オフスクリーンサーフェス作成失敗");
    if (!CopyDibToSurface(lpDDSSheet, SpriteSheet, SpriteSheet->Width() * 2,
                          SpriteSheet->Height() * 2))
        return ErrorBox("CopyDibToSurface DIBイメージのオフスクリーンへのコピー失敗");
    SetColorKeyFromPixel(lpDDSSheet, 0, 160);
    CaptionFont = MakeFont("Times New Roman Bold", 240, 0, 0, 1);
    RollFont = MakeFont("Courier New Bold", 200, 0, 0, 1);
    if (!DIInit()) return ErrorBox("DIInit DirectInput 初期化失敗");
    LoadSoundBank();
    JoystickPresent = JoyInit();
    std::srand(static_cast<unsigned>(HostCalendarSeconds()));
    ConvertSchedules();
    GameMode = Title;
    TitlePending = 1;
    StartTitleMusic();
    TwoPlayer = 0;
    HighScore = 0;
    MissionIndex = 0;
    // The pictures that move from frame to frame start from their first, as in a new process.
    ScrollOffset = 0;
    RiseOffset = 0;
    DishFlicker = 0;
    BossIconToggle = 0;
    return 1;
}

void PostQuit() {
    QuitPosted = 1;
}

static void Quit() {
    ReleaseSoundBank();
    PostQuit();
}

// F1 and F2 on the title: a new game from the first mission.
static void NewGame(int twoPlayer, uint32_t now) {
    StopTitleMusic();
    PlayPhase = DishRise;
    TwoPlayer = twoPlayer;
    GameMode = Playing;
    MissionIndex = 0;
    PhaseDeadline = now + 3000;
    if (!StartGame()) Quit();
}

static void KeyMessage(int key) {
    uint32_t now = GetTickCount();
    Paused = 0;
    bool title = GameMode == Title;
    bool prompt = GameMode == Playing && PlayPhase == ExtraPrompt;
    switch (key) {
    case VK_RETURN:
        if (GameMode == Playing && PlayPhase == StaffRoll) PlayPhase = ExtraPrompt;
        break;
    case VK_PAUSE:
        Paused = 1;
        break;
    case VK_ESCAPE:
        Quit();
        break;
    case VK_F1:
        if (title) {
            NewGame(0, now);
        } else if (prompt) {
            PlayPhase = DishRise;
            PhaseDeadline = now + 3000;
            MissionIndex += 1;
            ResetMission();
        }
        break;
    case VK_F2:
        if (title) {
            NewGame(1, now);
        } else if (prompt) {
            ClearForGameOver();
            PlayPhase = GameOver;
            PhaseDeadline = now + 8000;
        }
        break;
    case VK_F3:
        if (title) {
            StopTitleMusic();
            GameMode = Playing;
            PlayPhase = DishRise;
            PhaseDeadline = now + 3000;
            if (!StartGame()) Quit();
        }
        break;
    default:
        break;
    }
}

void MainWndProc(int message, int key) {
    switch (message) {
    case WM_DESTROY:
        Quit();
        break;
    case WM_ACTIVATEAPP:
        if (key == 0) Quit();
        break;
    case WM_KEYDOWN:
        KeyMessage(key);
        break;
    case WM_PAINT:
        PresentPrimary();
        break;
    default:
        break;
    }
}

int FrameTick() {
    uint32_t now = GetTickCount();
    if (now < NextTickTime || Paused == 1) return 0;
    FrameCounter += 1;
    NextTickTime = now + 40;
    return 1;
}

int RestorePalette() {
    ClearSurface(lpDDSPrimary);
    ClearSurface(lpDDSBack);
    SetRGBQuadPalette(&lpDDPal, SpriteSheet ? SpriteSheet->ColorTable() : nullptr);
    if (!lpDDPal) return ErrorBox("SetRGBQuadPalette パレットコピー失敗");
    SetSurfacePalette(lpDDSPrimary, lpDDPal);
    SetSurfacePalette(lpDDSBack, lpDDPal);
    return 1;
}

int StartGame() {
    if (!RestorePalette()) return 0;
    ResetMission();
    PlayerScore[0] = 0;
    PlayerScore[1] = 0;
    return 1;
}
