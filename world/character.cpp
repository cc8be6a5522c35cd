#include "world/character.h"
#include "platform/audio.h"
#include "data/datafile.h"
#include "platform/trace.h"
#include "world/motion.h"
#include "world/sprite.h"
#include <cstdlib>
#include <new>

// Low levels walk only the first few entries, so the hardest kinds come late.
const int g_SpawnOrder[CHARACTER_KIND_COUNT] = {0, 1, 11, 2, 1, 4, 1, 3, 1, 9, 10, 8, 7};
int g_SpawnOrderPosition = 0;

constexpr int PLACE_AT = 0;
constexpr int PLACE_AT_SPAWN_EDGE = 1;
constexpr int ANIM_DELAY = 3;
constexpr int CLASS_SELF_REMOVING = 6;
constexpr int EXPLOSION_HALF = 23;  // the explosion is 46 x 46
constexpr int MIN_SPAWN_DELAY = 10;

CCharacter::CCharacter(int screenWidth, int screenHeight)
    : m_Sheet(nullptr), m_Mask(nullptr), m_CHScreenWidth(screenWidth), m_CHScreenHeight(screenHeight),
      m_CHHead(nullptr), m_CHEnemyCount(0), m_Chance(nullptr)
{
    InitForGame();
}

CCharacter::~CCharacter()
{
    ClearBitmaps();
    RemoveAllEnemies();
}

void CCharacter::SetBitmaps(BITMAP* sheet, BITMAP* mask)
{
    m_Sheet = sheet;
    m_Mask = mask;
}

void CCharacter::ClearBitmaps()
{
    m_Sheet = nullptr;
    m_Mask = nullptr;
}

// Every Init starts a new list; one left over is freed rather than leaked.
static void FreeList(CCharacter& c)
{
    while (c.m_CHHead) {
        CCharacterNode* next = c.m_CHHead->m_Next;
        delete c.m_CHHead;
        c.m_CHHead = next;
    }
    c.m_CHEnemyCount = 0;
}

static void StartEmpty(CCharacter& c, int typeCount, int minimum)
{
    FreeList(c);
    c.m_CHOffsetX = 0;
    c.m_CHOffsetY = 0;
    c.m_CHAnimDelay = ANIM_DELAY;
    c.m_CHEnemyTypeCount = typeCount;
    c.m_ChenemyCountOnScreenMin = minimum;
    c.m_CHStopAddNew = 0;
}

void CCharacter::InitForGame()
{
    StartEmpty(*this, 3, 0);
    m_CHEnemyDelayForAddNew = 0;
    m_CHSpawnTop = 240;
    m_CHSpawnHeight = 10;
}

void CCharacter::InitForInstructions()
{
    StartEmpty(*this, CHARACTER_KIND_COUNT, CHARACTER_KIND_COUNT);
    for (int kind = 0; kind < CHARACTER_KIND_COUNT; kind++)
        AddEnemy(kind, PLACE_AT, 10, 10 * kind);
}

void CCharacter::InitAsIcons()
{
    StartEmpty(*this, CHARACTER_KIND_COUNT, 2);
    AddEnemy(KIND_EXTRA_LIFE, PLACE_AT, 10, 15);
    AddEnemy(KIND_COIN, PLACE_AT, m_CHScreenWidth / 2 - g_CharacterKinds[KIND_COIN].width - 20, 15);
}

void CCharacter::InitForScreen(int target)
{
    StartEmpty(*this, CHARACTER_KIND_COUNT, target);
    m_CHEnemyDelayForAddNew = 0;
}

static int NextKindInSpawnOrder(int typeCount)
{
    if (g_SpawnOrderPosition < typeCount - 1)
        g_SpawnOrderPosition++;
    else
        g_SpawnOrderPosition = 0;
    return g_SpawnOrder[g_SpawnOrderPosition];
}

// A random height in the spawn band; a band no higher than the object puts it at the top.
static int SpawnY(const CCharacter& c, int height)
{
    const int room = c.m_CHSpawnHeight - height;
    return room > 0 ? RollOf(c.m_Chance) % room + c.m_CHSpawnTop : c.m_CHSpawnTop;
}

int CCharacter::AddEnemy(int kind, int placement, int x, int y)
{
    if (kind == KIND_NEXT_IN_SPAWN_ORDER)
        kind = NextKindInSpawnOrder(m_CHEnemyTypeCount);
    if (kind < 0 || kind >= CHARACTER_KIND_COUNT)
        return -1;
    CCharacterNode* node = new (std::nothrow) CCharacterNode;
    if (!node)
        return -1;
    const CharacterKindInfo& info = g_CharacterKinds[kind];
    *node = CCharacterNode{kind, info.width, info.height, info.sheetX, info.sheetY, 0, info.frameCount,
                           x, y, info.classId, 0, nullptr, 0, 0, 1};
    if (placement == PLACE_AT_SPAWN_EDGE) {
        node->m_X = m_CHScreenWidth;
        node->m_Y = SpawnY(*this, node->m_Height);
    }
    node->m_PrevX = node->m_X;
    node->m_PrevY = node->m_Y;
    // Behind the head: newer objects are drawn before older ones, the very first first of all.
    if (m_CHHead) {
        node->m_Next = m_CHHead->m_Next;
        m_CHHead->m_Next = node;
    } else {
        m_CHHead = node;
    }
    m_CHEnemyCount++;
    Trace("CCharacter::AddEnemy() - m_CHEnemyCount = %ld", static_cast<long>(m_CHEnemyCount));
    return 0;
}

void CCharacter::RemoveAllEnemies()
{
    if (!m_CHHead)
        return;
    while (m_CHHead) {
        CCharacterNode* next = m_CHHead->m_Next;
        delete m_CHHead;
        m_CHHead = next;
        m_CHEnemyCount--;
        Trace("CCharacter::RemoveAllEnemies() - m_CHEnemyCount = %ld", static_cast<long>(m_CHEnemyCount));
    }
    m_CHEnemyDelayForAddNew = 0;
}

void CCharacter::RemoveDestroyedEnemies()
{
    CCharacterNode** link = &m_CHHead;
    while (*link) {
        CCharacterNode* node = *link;
        if (node->m_Destroyed != 1) {
            link = &node->m_Next;
            continue;
        }
        *link = node->m_Next;
        delete node;
        m_CHEnemyCount--;
        // Each removal shortens the wait for the next spawn. With more objects
        // than the minimum (explosions, an extra life) the divisor can reach 0:
        // the wait then stays as it is.
        const int divisor = m_ChenemyCountOnScreenMin - m_CHEnemyCount + 2;
        if (divisor != 0)
            m_CHEnemyDelayForAddNew /= divisor;
        Trace("CCharacter::RemoveDestroyedEnemies() - m_CHEnemyCount = %ld", static_cast<long>(m_CHEnemyCount));
    }
    if (m_CHEnemyCount == 0)
        m_CHEnemyDelayForAddNew = 0;
}

// Pan of a sound at an object's x; objects half off screen still pan fully to one side.
static int PanOf(const CCharacter& c, int x)
{
    const int pan = c.m_CHScreenWidth > 0 ? PanAt(x + c.m_CHOffsetX, c.m_CHScreenWidth) : PAN_CENTRE;
    return pan < 0 ? 0 : pan > 255 ? 255 : pan;
}

void CCharacter::ExplodeEnemies()
{
    for (CCharacterNode* node = m_CHHead; node; node = node->m_Next) {
        if (node->m_Class >= 0)
            continue;
        PlaySoundEffect(SND_EXPLOSION, PanOf(*this, node->m_X));
        node->m_Destroyed = 1;
        AddEnemy(KIND_EXPLOSION, PLACE_AT, node->m_X + node->m_Width / 2 - EXPLOSION_HALF,
                 node->m_Y + node->m_Height / 2 - EXPLOSION_HALF);
    }
}

// A random wait of at least `base` ticks, shorter spans giving shorter waits;
// a span of zero or less (a huge minimum) gives just the base.
static int RandomDelay(CChance* chance, int base, int span)
{
    return span > 0 ? base + RollOf(chance) % span : base;
}

// Counts the spawn delay down; true when a new object is due now.
static bool SpawnDue(CCharacter& c)
{
    if (c.m_CHEnemyDelayForAddNew > 0) {
        c.m_CHEnemyDelayForAddNew--;
        return false;
    }
    return c.m_CHEnemyCount < c.m_ChenemyCountOnScreenMin;
}

// Moves every object still inside its limit; the others are marked for removal.
template <typename Inside, typename Step, typename Leave>
static void MoveEach(CCharacter& c, Inside inside, Step step, Leave leave)
{
    for (CCharacterNode* node = c.m_CHHead; node; node = node->m_Next) {
        if (inside(*node)) {
            step(*node);
        } else {
            node->m_Destroyed = 1;
            leave(*node);
        }
    }
}

static void Stay(CCharacterNode&) {}

// Every movement ends alike: trace, drop what left, animate.
static void FinishMove(CCharacter& c)
{
    Trace("CCharacter::MoveCharacter() - m_CHEnemyDelayForAddNew=%ld", static_cast<long>(c.m_CHEnemyDelayForAddNew));
    c.RemoveDestroyedEnemies();
    c.Animate();
}

void CCharacter::MoveCharacter(int stepX)
{
    // Objects have no motion of their own: they drift with the sea floor.
    MoveEach(*this, [&](const CCharacterNode& n) { return n.m_X > m_CHOffsetX - n.m_Width; },
             [&](CCharacterNode& n) { n.m_X -= stepX; }, Stay);
    if (m_CHStopAddNew == 0 && SpawnDue(*this)) {
        AddEnemy(KIND_NEXT_IN_SPAWN_ORDER, PLACE_AT_SPAWN_EDGE, 0, 0);
        const int min = m_ChenemyCountOnScreenMin;
        const int span = min > 0 ? (m_CHScreenWidth / min) / (min - m_CHEnemyCount + 2) : 0;
        m_CHEnemyDelayForAddNew = RandomDelay(m_Chance, MIN_SPAWN_DELAY, span);
    }
    FinishMove(*this);
}

// The wait of the decorative screens: D + rand() % D with D = scale / minimum.
// The screens deal from the C library's generator, never from a game's dice.
static int ScreenDelay(const CCharacter& c, int scale)
{
    const int d = c.m_ChenemyCountOnScreenMin > 0 ? scale / c.m_ChenemyCountOnScreenMin : 0;
    return RandomDelay(nullptr, d, d);
}

// A position snapped to the kind's width, so the objects move in columns.
static int SnappedX(int kind, int screenWidth)
{
    const int width = g_CharacterKinds[kind].width;
    return (rand() % (screenWidth / width)) * width;
}

void CCharacter::MoveCharacterForCongratulations(int spawning, int dx)
{
    MoveEach(*this, [&](const CCharacterNode& n) { return n.m_X > m_CHOffsetX - n.m_Width; },
             [&](CCharacterNode& n) { n.m_X += dx; }, Stay);
    if (spawning > 0 && SpawnDue(*this)) {
        AddEnemy(KIND_EXTRA_LIFE, PLACE_AT, m_CHScreenWidth, (rand() % (m_CHScreenHeight / 14)) * 14);
        m_CHEnemyDelayForAddNew = ScreenDelay(*this, 120);
    }
    FinishMove(*this);
}

void CCharacter::MoveCharacterForHiScore(int spawning, int dy)
{
    MoveEach(*this, [&](const CCharacterNode& n) { return n.m_Y < m_CHOffsetY + m_CHScreenHeight; },
             [&](CCharacterNode& n) { n.m_Y += dy; },
             [&](CCharacterNode& n) { PlaySample(SND_LAND, PanOf(*this, n.m_X)); });
    if (spawning > 0 && SpawnDue(*this)) {
        const int x = SnappedX(KIND_COIN, m_CHScreenWidth);
        AddEnemy(KIND_COIN, PLACE_AT, x, m_CHOffsetY - g_CharacterKinds[KIND_COIN].height);
        PlaySample(SND_DROP, PanOf(*this, x));
        m_CHEnemyDelayForAddNew = ScreenDelay(*this, 160);
    }
    FinishMove(*this);
}

void CCharacter::MoveCharacterForCredits(int spawning, int dy)
{
    MoveEach(*this, [&](const CCharacterNode& n) { return n.m_Y > m_CHOffsetY - n.m_Height; },
             [&](CCharacterNode& n) { n.m_Y += dy; }, Stay);
    if (spawning > 0 && SpawnDue(*this)) {
        AddEnemy(KIND_DECORATION, PLACE_AT, SnappedX(KIND_DECORATION, m_CHScreenWidth), m_CHScreenHeight);
        m_CHEnemyDelayForAddNew = ScreenDelay(*this, 160);
    }
    FinishMove(*this);
}

void CCharacter::MoveCharacterForInstructions()
{
    Animate();
    Trace("CCharacter::MoveCharacterForInstructions() - OK");
}

void CCharacter::MoveCharacterAsIcons()
{
    Animate();
    Trace("CCharacter::MoveCharacterAsIcons() - OK");
}

void CCharacter::StartStep()
{
    for (CCharacterNode* node = m_CHHead; node; node = node->m_Next) {
        node->m_PrevX = node->m_X;
        node->m_PrevY = node->m_Y;
        node->m_New = 0;
    }
}

int DrawnX(const CCharacterNode& node, float t)
{
    return node.m_New ? node.m_X : BetweenPixels(node.m_PrevX, node.m_X, t);
}

int DrawnY(const CCharacterNode& node, float t)
{
    return node.m_New ? node.m_Y : BetweenPixels(node.m_PrevY, node.m_Y, t);
}

void CCharacter::Animate()
{
    m_CHAnimDelay--;
    if (m_CHAnimDelay <= 0) {
        m_CHAnimDelay = ANIM_DELAY;
        StepFrames();
    }
}

void CCharacter::StepFrames()
{
    for (CCharacterNode* node = m_CHHead; node; node = node->m_Next) {
        if (node->m_Frame >= node->m_FrameCount)
            continue;  // a finished explosion keeps its last count until it is removed
        node->m_Frame++;
        if (node->m_Frame < node->m_FrameCount)
            continue;
        if (node->m_Class == CLASS_SELF_REMOVING)
            node->m_Destroyed = 1;
        else
            node->m_Frame = 0;
    }
}

static void DrawNode(const CCharacter& c, const CCharacterNode& node, BITMAP* dest, int x, int y)
{
    DrawSpriteFrame(dest, c.m_Sheet, node.m_SheetX, node.m_SheetY, node.m_Frame, node.m_Width, node.m_Height,
                    x + c.m_CHOffsetX, y + c.m_CHOffsetY);
}

void CCharacter::DrawCharacters(BITMAP* dest, float t) const
{
    for (const CCharacterNode* node = m_CHHead; node; node = node->m_Next)
        DrawNode(*this, *node, dest, DrawnX(*node, t), DrawnY(*node, t));
}

void CCharacter::DrawKind(int kind, BITMAP* dest, int x, int y) const
{
    for (const CCharacterNode* node = m_CHHead; node; node = node->m_Next)
        if (node->m_Kind == kind)
            DrawNode(*this, *node, dest, x, y);
}
