// Pesko, the fish the player steers.
#pragma once
#include "input/input.h"
#include "world/character_kinds.h"
#include <allegro.h>
#include <cstdint>
#include <vector>

class CLevelMap;
class CCharacter;
struct CCharacterNode;

enum { DIR_LEFT = 0, DIR_RIGHT = 1, DIR_UP = 2, DIR_DOWN = 3 };

// What one step of the fish brought about; the game decides what follows.
enum class PlayerEvent {
    NONE,
    CRASHED,       // it touched rock or a deadly object unprotected
    OUT_OF_LIVES,  // it rose off the top of the screen with no life left
    CROSSED_SEA    // it swam out of the right edge at the end of the sea
};

constexpr int PLAYER_FRAME_WIDTH = 100;
constexpr int PLAYER_FRAME_HEIGHT = 72;
constexpr int PLAYER_FRAME_COUNT = 12;
constexpr int PLAYER_SWIM_FRAMES = 8;  // frames 0-7 swim, 8-11 show the crash

constexpr int PLAYER_TOP_SPEED = 20;
constexpr int PLAYER_START_X = 10;
constexpr int PLAYER_START_Y = 204;
constexpr int PLAYER_SHIELD_TICKS = 60;
constexpr int PLAYER_LEAVE_SPEED = 6;
constexpr int PLAYER_MAX_LIVES = 99;
constexpr int PLAYER_MAX_SCORE = 99999;

class CPlayer {
public:
    CPlayer(int areaWidth, int areaHeight);
    ~CPlayer();

    void Init(int x, int y);
    void Respawn();
    void NewGame();
    void SetBitmaps(BITMAP* sprite, BITMAP* mask);
    void ClearBitmaps();

    // Called before every logic step, moving or not: the place the next frames slide from.
    void StartStep();
    void Animate();
    void NextFrame();
    // Where the fish is drawn a fraction t of the way through the latest step.
    int DrawnX(float t) const;
    int DrawnY(float t) const;
    // Draws the fish at the latest step (t 1) or between the last two steps.
    void Draw(BITMAP* dest, float t = 1.0f) const;
    // Whether `direction` is held this step on the control device `device`.
    bool IsDirectionOn(int device, int direction);
    // One step, steered by the directions held this step.
    PlayerEvent Update(const HeldDirections& held, CLevelMap& map, CCharacter& enemies);
    int CheckMap(CLevelMap& map, int x, int y);
    int CheckCharacters(CCharacter& collection, int x, int y);

    int m_ScreenX, m_ScreenY;
    int m_PosX, m_PosY;
    int m_AreaWidth, m_AreaHeight;
    int m_SpeedX, m_SpeedY;
    int m_Lives;
    int m_Coins;
    int m_Score;
    int m_ShieldTime;
    int m_BlinkDelay;
    int m_Visible;
    int m_State;
    int m_LeaveLevel;
    int m_Frame;
    int m_FrameDelay;
    BITMAP* m_Sprite;
    BITMAP* m_Mask;
    // Where the fish was drawn after the previous step; its latest place when
    // it was just placed (a new game, a respawn), so it is never slid there.
    int m_PrevScreenX, m_PrevScreenY;

private:
    void PlaceAt(int x, int y);
    void CountDownShield();
    void Steer(const HeldDirections& held);
    void MoveAndClamp();
    void Crash();
    PlayerEvent RiseAfterCrash();
    void SwimOut();
    void PushOutOfRock(CLevelMap& map, int mx, int my);
    CCharacterNode* FindTouchedObject(CCharacter& collection, int x, int y);
    void ApplyTouch(CCharacter& collection, CCharacterNode& object, int pan);
    void ReadSolidPixels(int frame);
    const std::vector<uint16_t>& SolidPointsOf(int frame);
    const std::vector<uint8_t>& SolidGridOf(int frame);
    int FirstTouchOf(BITMAP* mask, const CCharacterNode& object, int x, int y, int limit);
    template <typename Visitor>
    bool ScanSolidPixels(Visitor visit);
    void DrawPlain(BITMAP* dest, int x, int y) const;
    void DrawTinted(BITMAP* dest, int x, int y) const;

    // Kept for the tinted blink, so that no frame allocates a bitmap.
    mutable BITMAP* m_TintFrame;  // scratch for the tinted frame, kept between frames
    // The solid pixels of each mask frame, read from the bound mask on first
    // need: as a list in scan order (column by column, index i * 72 + j) and as a grid.
    std::vector<uint16_t> m_SolidPoints[PLAYER_FRAME_COUNT];
    std::vector<uint8_t> m_SolidGrid[PLAYER_FRAME_COUNT];
    bool m_SolidPixelsRead[PLAYER_FRAME_COUNT];
};
