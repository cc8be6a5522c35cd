// Pesko, the fish the player steers.
#pragma once
#include <allegro.h>

class CLevelMap;
class CCharacter;

enum { DIR_LEFT = 0, DIR_RIGHT = 1, DIR_UP = 2, DIR_DOWN = 3 };
enum { CONTROL_KEYBOARD = 0, CONTROL_JOYSTICK = 1, CONTROL_MOUSE = 2 };

constexpr int PLAYER_FRAME_WIDTH = 100;
constexpr int PLAYER_FRAME_HEIGHT = 72;
constexpr int PLAYER_FRAME_COUNT = 12;

class CPlayer {
public:
    CPlayer(int areaWidth, int areaHeight);
    ~CPlayer();

    void Init(int x, int y);
    void Respawn();
    void NewGame();
    void SetBitmaps(BITMAP* sprite, BITMAP* mask);
    void ClearBitmaps();

    void Animate();
    void NextFrame();
    void Draw(BITMAP* dest);
    bool IsDirectionOn(int device, int direction);
    int Update(int device, CLevelMap& map, CCharacter& enemies);
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
};
