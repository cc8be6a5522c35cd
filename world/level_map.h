// The sea floor and ceiling: a 34 x 24 grid of 20 x 20 tiles that scrolls left,
// generates new columns by a random walk and counts distance and levels.
#pragma once
#include "world/chance.h"
#include <allegro.h>
#include <memory>

constexpr int MAP_COLUMNS = 34;
constexpr int MAP_ROWS = 24;
constexpr int TILE_SIZE = 20;
// The rows of the tile sheet: rock, the ceiling's and the floor's edges (the
// hit types a touched cell answers), open water.
constexpr int TILE_ROCK = 0;
constexpr int TILE_CEILING_EDGE = 1;
constexpr int TILE_FLOOR_EDGE = 2;
constexpr int TILE_WATER_ROW = 3;

struct CMapCell {
    int m_TileX, m_TileY;        // the tile drawn
    int m_HitTileX, m_HitTileY;  // the tile used for collision
};

class CLevelMap {
public:
    CLevelMap(int screenWidth, int screenHeight);
    ~CLevelMap();

    // The tile sheet is read as it is set (set it again after drawing on it).
    void SetBitmaps(BITMAP* tiles, BITMAP* mask);
    void ClearBitmaps();
    void Init();
    void InitForDemo();

    void FillStart();
    void FillStartRandom();
    void GenerateColumns(int n);
    int ShiftColumns(int n);
    int ShiftRows(int n);
    void FillBottomRows(int n);
    // Called before every logic step, moving or not: the place the next frames slide from.
    void StartStep();
    int Update(int stepX, int stepY);
    void KeepInBounds();
    // The horizontal scroll drawn a fraction t of the way through the latest
    // step, counted in the grid as it is now (just below 0 right after a shift).
    int DrawnScrollX(float t) const;
    // Draws the view at the latest step (t 1) or between the last two steps.
    void Draw(BITMAP* dest, float t = 1.0f) const;
    // The same in two passes, so that the stones standing in open water lie behind
    // the sea's objects and the fish, while the floor and ceiling stay in front.
    void DrawWaterStones(BITMAP* dest, float t = 1.0f) const;
    void DrawWalls(BITMAP* dest, float t = 1.0f) const;

    // How far the walls' solid rock reaches into the view over screen columns
    // [left, right), from its top down to `top` and from `bottom` to its foot:
    // what is drawn there before the walls never shows.
    struct RockReach {
        int top, bottom;
    };
    RockReach SolidRockOver(int left, int right, float t = 1.0f) const;

    int GetLevel() const;
    int GetSpawnTop() const;
    int GetSpawnHeight() const;
    int IsCompleted() const;
    int GetMaskPixel(int x, int y) const;
    // The tile row of the cell under the map point: TILE_CEILING_EDGE, TILE_FLOOR_EDGE, ...
    int GetHitType(int x, int y) const;
    int GetDistanceFromTileTop(int x, int y) const;
    int GetDistanceToTileBottom(int x, int y) const;

    BITMAP* m_Tiles;
    BITMAP* m_TileMask;
    // How each tile of the sheet is drawn (a copied map shares it).
    std::shared_ptr<const struct TileSheetLooks> m_TileLooks;
    CMapCell m_Cells[MAP_COLUMNS][MAP_ROWS];
    int m_ScrollX, m_ScrollY;
    int m_SpeedX, m_SpeedY;
    int m_FollowX, m_FollowY;
    int m_DirX, m_DirY;
    int m_AutoScrollX, m_AutoScrollY;
    int m_GenerateX, m_GenerateY;
    int m_Level;
    int m_Distance;
    int m_Completed;
    int m_DistanceScore;
    int m_StepPixels;
    int m_StopProgress;
    int m_ViewWidth, m_ViewHeight;
    int m_ViewX, m_ViewY;
    int m_CeilingRow;
    // Drawing between steps: the horizontal scroll after the previous step, in
    // the grid as it is now, and the column the latest shift pushed out on the
    // left, still seen while the view slides over to its new place.
    int m_PrevScrollX;
    CMapCell m_DroppedColumn[MAP_ROWS];
    // The dice the walk and the decorations take, borrowed from the game; none
    // (the attract demo) deals from the C library's generator.
    CChance* m_Chance;

private:
    enum class TileRows { All, WaterStones, Walls };
    void DrawTiles(BITMAP* dest, float t, TileRows rows) const;
};
