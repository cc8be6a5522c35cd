// A collection of animated objects drawn from one sprite sheet: everything in
// the sea that is not the fish or the rock, and the decorations of the screens.
#pragma once
#include "world/chance.h"
#include "world/character_kinds.h"
#include <allegro.h>

constexpr int KIND_NEXT_IN_SPAWN_ORDER = 13;  // AddEnemy kind: take the next of g_SpawnOrder

extern const int g_SpawnOrder[CHARACTER_KIND_COUNT];
// One spawn-order position shared by every collection for the whole run.
extern int g_SpawnOrderPosition;

struct CCharacterNode {
    int m_Kind;
    int m_Width, m_Height;
    int m_SheetX, m_SheetY;
    int m_Frame;
    int m_FrameCount;
    int m_X, m_Y;
    int m_Class;
    int m_Destroyed;
    CCharacterNode* m_Next;
    // Drawing between steps: where the object was after the previous step, and
    // whether it appeared in the latest one (then it is drawn where it is).
    int m_PrevX, m_PrevY;
    int m_New;
};

// Where an object is drawn a fraction t of the way through the latest step.
int DrawnX(const CCharacterNode& node, float t);
int DrawnY(const CCharacterNode& node, float t);

class CCharacter {
public:
    CCharacter(int screenWidth, int screenHeight);
    ~CCharacter();

    void SetBitmaps(BITMAP* sheet, BITMAP* mask);
    void ClearBitmaps();
    void InitForGame();
    void InitForInstructions();
    void InitAsIcons();
    void InitForScreen(int target);

    int AddEnemy(int kind, int placement, int x, int y);
    void RemoveAllEnemies();
    void RemoveDestroyedEnemies();
    void ExplodeEnemies();

    void MoveCharacter(int stepX);
    void MoveCharacterForInstructions();
    void MoveCharacterAsIcons();
    void MoveCharacterForCongratulations(int spawning, int dx);
    void MoveCharacterForHiScore(int spawning, int dy);
    void MoveCharacterForCredits(int spawning, int dy);

    // Called before every logic step, moving or not: the places the next frames slide from.
    void StartStep();
    void Animate();
    void StepFrames();
    // Draws every object at the latest step (t 1) or between the last two steps.
    void DrawCharacters(BITMAP* dest, float t = 1.0f) const;
    void DrawKind(int kind, BITMAP* dest, int x, int y) const;

    BITMAP* m_Sheet;
    BITMAP* m_Mask;
    int m_CHScreenWidth;
    int m_CHScreenHeight;
    int m_CHOffsetX;
    int m_CHOffsetY;
    int m_CHAnimDelay;
    CCharacterNode* m_CHHead;
    int m_CHEnemyCount;
    int m_CHEnemyTypeCount;
    int m_ChenemyCountOnScreenMin;
    int m_CHEnemyDelayForAddNew;
    int m_CHStopAddNew;
    int m_CHSpawnTop;
    int m_CHSpawnHeight;
    // The dice of the sea's spawns, borrowed from the game; none (the attract
    // demo) deals from the C library's generator, as the screens always do.
    CChance* m_Chance;
};
