#include "world/player.h"
#include "platform/audio.h"
#include "data/datafile.h"
#include "world/character.h"
#include "world/level_map.h"
#include "world/motion.h"
#include "world/sprite.h"
#include <algorithm>
#include <iterator>

constexpr int RESPAWN_FRAME_DELAY = 7;
constexpr int BLINK_TICKS = 2;
constexpr int BOTTLE_WIDTH = 56;
constexpr int EXPLOSION_HALF_SIZE = 23;
constexpr int COIN_POINTS = 10;
constexpr int EXTRA_LIFE_POINTS = 250;
constexpr int COINS_FOR_EXTRA_LIFE = 100;
// Highest scores that still take a coin's or an item's points without passing 99999.
constexpr int COIN_SCORE_LIMIT = 99948;
constexpr int EXTRA_LIFE_SCORE_LIMIT = 99748;
constexpr int TINT_GREY = 50;
constexpr int TINT_AMOUNT = 125;

CPlayer::CPlayer(int areaWidth, int areaHeight)
    : m_AreaWidth(areaWidth), m_AreaHeight(areaHeight), m_Sprite(nullptr), m_Mask(nullptr), m_PrevScreenX(0),
      m_PrevScreenY(0), m_TintFrame(nullptr),
      m_SolidPixelsRead{}
{
}

CPlayer::~CPlayer()
{
    // The tint bitmap is freed by ClearBitmaps while Allegro still runs;
    // destroying it here, after allegro_exit, would not be safe.
    m_Sprite = m_Mask = nullptr;
}

void CPlayer::PlaceAt(int x, int y)
{
    m_State = 0;
    m_Frame = 0;
    m_FrameDelay = RESPAWN_FRAME_DELAY;
    m_SpeedX = m_SpeedY = 0;
    m_PosX = m_ScreenX = m_PrevScreenX = x;
    m_PosY = m_ScreenY = m_PrevScreenY = y;
    m_Visible = 1;
}

void CPlayer::Init(int x, int y)
{
    PlaceAt(x, y);
    m_ShieldTime = 0;
    m_BlinkDelay = 0;
    m_Lives = m_Coins = m_Score = 0;
    m_LeaveLevel = 0;
}

void CPlayer::Respawn()
{
    PlaceAt(PLAYER_START_X, PLAYER_START_Y);
    m_ShieldTime = PLAYER_SHIELD_TICKS;
    m_BlinkDelay = BLINK_TICKS;
}

void CPlayer::NewGame()
{
    Respawn();
    m_Lives = 3;
    m_Coins = 0;
    m_Score = 0;
    m_LeaveLevel = 0;
}

void CPlayer::SetBitmaps(BITMAP* sprite, BITMAP* mask)
{
    m_Sprite = sprite;
    m_Mask = mask;
    std::fill(std::begin(m_SolidPixelsRead), std::end(m_SolidPixelsRead), false);
}

void CPlayer::ClearBitmaps()
{
    SetBitmaps(nullptr, nullptr);
    if (m_TintFrame) {
        destroy_bitmap(m_TintFrame);
        m_TintFrame = nullptr;
    }
}

// ---- Input -----------------------------------------------------------------

bool CPlayer::IsDirectionOn(int device, int direction)
{
    const HeldDirections held = ReadHeldDirections(device, m_AreaWidth / 2, m_AreaHeight / 2);
    switch (direction) {
    case DIR_LEFT: return held.left;
    case DIR_RIGHT: return held.right;
    case DIR_UP: return held.up;
    case DIR_DOWN: return held.down;
    default: return false;
    }
}

// ---- Movement --------------------------------------------------------------

// One axis of the steering: `sign` is -1 for left or up, +1 for right or down.
// Pressing against the motion stops dead; at the top speed the release branch
// brakes by one, so a held key swings between 20 and 19.
static void SteerAxis(int& speed, bool on, int sign)
{
    if (on && speed * sign < 0)
        speed = 0;
    else if (on && speed * sign < PLAYER_TOP_SPEED)
        speed += sign;
    else if (speed * sign > 0)
        speed -= sign;
}

void CPlayer::Steer(const HeldDirections& held)
{
    SteerAxis(m_SpeedX, held.left, -1);
    SteerAxis(m_SpeedX, held.right, +1);
    SteerAxis(m_SpeedY, held.up, -1);
    SteerAxis(m_SpeedY, held.down, +1);
}

static int Clamp(int value, int low, int high)
{
    if (value < low)
        return low;
    return value > high ? high : value;
}

void CPlayer::MoveAndClamp()
{
    // The speed is kept at an edge: the fish presses against it.
    m_PosX = Clamp(m_PosX + m_SpeedX, 0, m_AreaWidth - PLAYER_FRAME_WIDTH);
    m_PosY = Clamp(m_PosY + m_SpeedY, 0, m_AreaHeight - PLAYER_FRAME_HEIGHT);
    m_ScreenX = m_PosX;
    m_ScreenY = m_PosY;
}

void CPlayer::CountDownShield()
{
    if (m_ShieldTime > 0)
        m_ShieldTime--;
    if (m_ShieldTime > 0) {
        if (m_BlinkDelay > 0) {
            m_BlinkDelay--;
        } else {
            m_BlinkDelay = BLINK_TICKS;
            m_Visible = (m_Visible == 1) ? 0 : 1;
        }
    } else {
        m_BlinkDelay = 0;
        m_Visible = 1;
    }
}

void CPlayer::Crash()
{
    m_State = 1;
    m_SpeedX = m_SpeedY = 0;
    m_ShieldTime = 0;
    PlaySoundEffect(SND_CRASH, PanAt(m_PosX));
}

PlayerEvent CPlayer::RiseAfterCrash()
{
    if (m_ScreenY > -PLAYER_FRAME_HEIGHT) {
        m_SpeedY = (m_SpeedY <= PLAYER_TOP_SPEED - 1) ? m_SpeedY + 1 : PLAYER_TOP_SPEED;
        m_PosY -= m_SpeedY;
        m_ScreenY = m_PosY;
        m_PosX += m_SpeedX;
        m_ScreenX = m_PosX;
    } else if (m_Lives > 0) {
        m_Lives--;
        Respawn();
    } else {
        // The fish stays above the screen; the game counts GAME OVER down.
        return PlayerEvent::OUT_OF_LIVES;
    }
    return PlayerEvent::NONE;
}

void CPlayer::SwimOut()
{
    m_PosX += PLAYER_LEAVE_SPEED;
    m_PosY = PLAYER_START_Y;
    m_ScreenX = m_PosX;
    m_ScreenY = m_PosY;
}

PlayerEvent CPlayer::Update(const HeldDirections& held, CLevelMap& map, CCharacter& enemies)
{
    PlayerEvent event = PlayerEvent::NONE;
    CountDownShield();
    if (m_State == 0) {
        if (m_LeaveLevel) {
            if (m_PosX > m_AreaWidth - 1)
                return PlayerEvent::CROSSED_SEA;
            SwimOut();
        } else {
            Steer(held);
            MoveAndClamp();
            if (CheckMap(map, m_ScreenX, m_ScreenY) < 0 || CheckCharacters(enemies, m_ScreenX, m_ScreenY) < 0) {
                Crash();
                event = PlayerEvent::CRASHED;
            }
        }
    }
    if (m_State == 1 && RiseAfterCrash() == PlayerEvent::OUT_OF_LIVES)
        event = PlayerEvent::OUT_OF_LIVES;
    Animate();
    return event;
}

// ---- Animation and drawing -------------------------------------------------

void CPlayer::Animate()
{
    if (--m_FrameDelay > 0)
        return;
    if (m_State == 0) {
        if (m_SpeedX > 10 || m_SpeedY > 10 || m_SpeedY < -10)
            m_FrameDelay = 2;  // fast swimming beats faster
        else if (m_SpeedX < -10)
            m_FrameDelay = 20;  // swimming backwards beats slowly
        else
            m_FrameDelay = 7;
    } else {
        m_FrameDelay = 3;
    }
    NextFrame();
}

void CPlayer::NextFrame()
{
    if (m_State == 0)
        m_Frame = (m_Frame + 1) % PLAYER_SWIM_FRAMES;
    else if (m_Frame < PLAYER_SWIM_FRAMES || m_Frame >= PLAYER_FRAME_COUNT - 1)
        m_Frame = PLAYER_SWIM_FRAMES;
    else
        m_Frame++;
}

void CPlayer::StartStep()
{
    m_PrevScreenX = m_ScreenX;
    m_PrevScreenY = m_ScreenY;
}

int CPlayer::DrawnX(float t) const
{
    return BetweenPixels(m_PrevScreenX, m_ScreenX, t);
}

int CPlayer::DrawnY(float t) const
{
    return BetweenPixels(m_PrevScreenY, m_ScreenY, t);
}

void CPlayer::DrawPlain(BITMAP* dest, int x, int y) const
{
    DrawSpriteFrame(dest, m_Sprite, 0, 0, m_Frame, PLAYER_FRAME_WIDTH, PLAYER_FRAME_HEIGHT, x, y);
}

void CPlayer::Draw(BITMAP* dest, float t) const
{
    if (!m_Sprite || !dest)
        return;
    if (m_Visible == 0)
        DrawTinted(dest, DrawnX(t), DrawnY(t));
    else
        DrawPlain(dest, DrawnX(t), DrawnY(t));
}

// The blink of a protected fish: its frame tinted 125/255 of the way towards
// dark grey, transparent pixels left out. The frame is copied into a bitmap
// kept for the whole game; without one the plain frame is drawn instead.
void CPlayer::DrawTinted(BITMAP* dest, int x, int y) const
{
    int depth = bitmap_color_depth(m_Sprite);
    if (m_TintFrame && bitmap_color_depth(m_TintFrame) != depth) {
        destroy_bitmap(m_TintFrame);
        m_TintFrame = nullptr;
    }
    if (!m_TintFrame)
        m_TintFrame = create_bitmap_ex(depth, PLAYER_FRAME_WIDTH, PLAYER_FRAME_HEIGHT);
    if (!m_TintFrame) {
        DrawPlain(dest, x, y);
        return;
    }
    blit(m_Sprite, m_TintFrame, PLAYER_FRAME_WIDTH * m_Frame, 0, 0, 0, PLAYER_FRAME_WIDTH, PLAYER_FRAME_HEIGHT);
    set_trans_blender(TINT_GREY, TINT_GREY, TINT_GREY, 127);
    draw_lit_sprite(dest, m_TintFrame, x, y, TINT_AMOUNT);
}

// ---- Collision -------------------------------------------------------------

// The mask frame is read once while it is bound: the scans run every tick.
void CPlayer::ReadSolidPixels(int frame)
{
    std::vector<uint16_t>& points = m_SolidPoints[frame];
    std::vector<uint8_t>& grid = m_SolidGrid[frame];
    points.clear();
    grid.assign(PLAYER_FRAME_WIDTH * PLAYER_FRAME_HEIGHT, 0);
    for (int i = 0; i < PLAYER_FRAME_WIDTH; i++)
        for (int j = 0; j < PLAYER_FRAME_HEIGHT; j++)
            if (IsMaskSolid(m_Mask, PLAYER_FRAME_WIDTH * frame + i, j)) {
                points.push_back(static_cast<uint16_t>(i * PLAYER_FRAME_HEIGHT + j));
                grid[i * PLAYER_FRAME_HEIGHT + j] = 1;
            }
    m_SolidPixelsRead[frame] = true;
}

const std::vector<uint16_t>& CPlayer::SolidPointsOf(int frame)
{
    if (!m_SolidPixelsRead[frame])
        ReadSolidPixels(frame);
    return m_SolidPoints[frame];
}

const std::vector<uint8_t>& CPlayer::SolidGridOf(int frame)
{
    if (!m_SolidPixelsRead[frame])
        ReadSolidPixels(frame);
    return m_SolidGrid[frame];
}

// Visits the solid pixels of the current mask frame column by column (i outer,
// j inner) until the visitor answers true; returns whether it did.
template <typename Visitor>
bool CPlayer::ScanSolidPixels(Visitor visit)
{
    if (!m_Mask || m_Frame < 0 || m_Frame >= PLAYER_FRAME_COUNT)
        return false;
    for (uint16_t point : SolidPointsOf(m_Frame))
        if (visit(point / PLAYER_FRAME_HEIGHT, point % PLAYER_FRAME_HEIGHT))
            return true;
    return false;
}

int CPlayer::CheckMap(CLevelMap& map, int x, int y)
{
    int hitX = 0, hitY = 0;
    bool hit = ScanSolidPixels([&](int i, int j) {
        int mx = x + i + map.m_ScrollX - map.m_ViewX;
        int my = y + j + map.m_ScrollY - map.m_ViewY;
        if (map.GetMaskPixel(mx, my) != MASK_SOLID)  // off the grid it answers open water
            return false;
        hitX = mx;
        hitY = my;
        return true;
    });
    if (!hit)
        return 0;
    if (m_ShieldTime <= 0)
        return -1;
    PushOutOfRock(map, hitX, hitY);
    return 0;
}

// A protected fish is pushed out of the rock it touched instead of crashing.
void CPlayer::PushOutOfRock(CLevelMap& map, int mx, int my)
{
    switch (map.GetHitType(mx, my)) {
    case TILE_CEILING_EDGE: m_PosY += map.GetDistanceToTileBottom(mx, my); break;  // down past the cell
    case TILE_FLOOR_EDGE: m_PosY -= map.GetDistanceFromTileTop(mx, my); break;     // up to the cell's top
    }
    m_ScreenY = m_PosY;
    m_SpeedY = 0;
}

static bool Overlaps(const CCharacterNode& object, int x, int y)
{
    return object.m_X < x + PLAYER_FRAME_WIDTH && x < object.m_X + object.m_Width &&
           object.m_Y < y + PLAYER_FRAME_HEIGHT && y < object.m_Y + object.m_Height;
}

// Where the fish first touches an object in scan order (mask column, then row):
// index i * 72 + j of the fish's pixel, or `limit` when not before it. The rows
// are read left to right so that the object's mask is read along its lines.
int CPlayer::FirstTouchOf(BITMAP* mask, const CCharacterNode& object, int x, int y, int limit)
{
    const std::vector<uint8_t>& solid = SolidGridOf(m_Frame);
    int i0 = std::max(0, object.m_X - x), i1 = std::min(PLAYER_FRAME_WIDTH, object.m_X + object.m_Width - x);
    int j0 = std::max(0, object.m_Y - y), j1 = std::min(PLAYER_FRAME_HEIGHT, object.m_Y + object.m_Height - y);
    int frameX = object.m_SheetX + object.m_Width * object.m_Frame - (object.m_X - x);
    int frameY = object.m_SheetY - (object.m_Y - y);
    int first = limit;
    for (int j = j0; j < j1; j++)
        for (int i = i0; i < i1 && i * PLAYER_FRAME_HEIGHT + j < first; i++)
            if (solid[i * PLAYER_FRAME_HEIGHT + j] && IsMaskSolid(mask, frameX + i, frameY + j))
                first = i * PLAYER_FRAME_HEIGHT + j;
    return first;
}

// The object met first by the scan (mask column, then row, then list order).
CCharacterNode* CPlayer::FindTouchedObject(CCharacter& collection, int x, int y)
{
    if (!m_Mask || m_Frame < 0 || m_Frame >= PLAYER_FRAME_COUNT)
        return nullptr;
    constexpr int NOT_TOUCHED = PLAYER_FRAME_WIDTH * PLAYER_FRAME_HEIGHT;
    CCharacterNode* touched = nullptr;
    int touchedAt = NOT_TOUCHED;
    for (CCharacterNode* object = collection.m_CHHead; object; object = object->m_Next) {
        if (!Overlaps(*object, x, y))
            continue;
        int at = FirstTouchOf(collection.m_Mask, *object, x, y, touchedAt);
        if (at < touchedAt) {  // a tie keeps the object earlier in the list
            touchedAt = at;
            touched = object;
        }
    }
    return touched;
}

int CPlayer::CheckCharacters(CCharacter& collection, int x, int y)
{
    if (!collection.m_CHHead)
        return 0;
    CCharacterNode* touched = FindTouchedObject(collection, x, y);
    if (!touched)
        return 0;
    ApplyTouch(collection, *touched, PanAt(x));
    return m_ShieldTime > 0 ? 0 : touched->m_Class;
}

void CPlayer::ApplyTouch(CCharacter& collection, CCharacterNode& object, int pan)
{
    bool taken = object.m_Destroyed == 1;
    bool protectedFish = m_ShieldTime > 0;
    if (object.m_Class == CLASS_COIN && !taken) {
        m_Coins++;
        PlaySoundEffect(SND_COIN, pan);
        if (m_Score <= COIN_SCORE_LIMIT)
            m_Score += COIN_POINTS;
        object.m_Destroyed = 1;
        if (m_Coins >= COINS_FOR_EXTRA_LIFE) {
            collection.AddEnemy(KIND_EXTRA_LIFE, 1, 0, 0);
            m_Coins = 0;
        }
    } else if (object.m_Class == CLASS_EXTRA_LIFE && !taken) {
        PlaySoundEffect(SND_EXTRA, pan);
        if (m_Lives <= PLAYER_MAX_LIVES - 1)
            m_Lives++;
        if (m_Score <= EXTRA_LIFE_SCORE_LIMIT)
            m_Score += EXTRA_LIFE_POINTS;
        object.m_Destroyed = 1;
    } else if (object.m_Class == CLASS_BUBBLE && !taken) {
        object.m_Destroyed = 1;
        collection.ExplodeEnemies();
    } else if (object.m_Class == CLASS_BOTTLE && !protectedFish) {
        PlaySoundEffect(SND_BUMP, pan);
        m_PosX = object.m_X + BOTTLE_WIDTH;  // the screen position follows next tick
    } else if (object.m_Class == CLASS_SHIELD) {
        // Not taken: it shields for as long as the fish touches it.
        PlaySoundEffect(SND_SHIELD, pan);
        m_ShieldTime = PLAYER_SHIELD_TICKS;
    } else if (object.m_Class == CLASS_EXPLOSIVE && !protectedFish) {
        PlaySoundEffect(SND_EXPLOSION, pan);
        object.m_Destroyed = 1;
        collection.AddEnemy(KIND_EXPLOSION, 0, object.m_X + object.m_Width / 2 - EXPLOSION_HALF_SIZE,
                            object.m_Y + object.m_Height / 2 - EXPLOSION_HALF_SIZE);
    }
}
