#include "world/level_map.h"
#include "platform/draw.h"
#include "world/motion.h"
#include "world/sprite.h"
#include <algorithm>

// Tile rows of the sheet.
constexpr int TILE_WATER_COLUMN = 3;

constexpr int START_CEILING_ROW = 5;
constexpr int FLAT_START_COLUMNS = 21;  // 420 pixels of calm sea before the walk begins
constexpr int WATER_ROWS = 15;
constexpr int LAST_LEVEL = 5;
constexpr int DISTANCE_PER_LEVEL = 500;
constexpr int DISTANCE_STEP = 5;
constexpr int PIXELS_PER_STEP = 50;
constexpr int SPAWN_HEIGHT = 280;

CLevelMap::CLevelMap(int screenWidth, int screenHeight)
    : m_Tiles(nullptr), m_TileMask(nullptr), m_ViewWidth(screenWidth), m_ViewHeight(screenHeight),
      m_Chance(nullptr)
{
    Init();
}

CLevelMap::~CLevelMap()
{
    ClearBitmaps();
}

static std::shared_ptr<const TileSheetLooks> ReadTileSheet(BITMAP* tiles);

void CLevelMap::SetBitmaps(BITMAP* tiles, BITMAP* mask)
{
    m_Tiles = tiles;
    m_TileMask = mask;
    m_TileLooks = tiles ? ReadTileSheet(tiles) : nullptr;
}

void CLevelMap::ClearBitmaps()
{
    SetBitmaps(nullptr, nullptr);
}

static void ResetCounters(CLevelMap& map, int level)
{
    map.m_ScrollX = map.m_ScrollY = 0;
    map.m_PrevScrollX = 0;
    std::fill(map.m_DroppedColumn, map.m_DroppedColumn + MAP_ROWS, CMapCell{});
    map.m_SpeedX = map.m_SpeedY = 2;
    map.m_FollowX = map.m_FollowY = 0;
    map.m_DirX = 1;
    map.m_DirY = 0;
    map.m_AutoScrollX = 1;
    map.m_AutoScrollY = 0;
    map.m_GenerateX = 1;
    map.m_GenerateY = 0;
    map.m_Level = level;
    map.m_Distance = 0;
    map.m_Completed = 0;
    map.m_DistanceScore = 0;
    map.m_StepPixels = 0;
    map.m_StopProgress = 0;
    map.m_ViewX = map.m_ViewY = 0;
}

void CLevelMap::Init()
{
    ResetCounters(*this, 0);
    FillStart();
}

void CLevelMap::InitForDemo()
{
    ResetCounters(*this, RollOf(m_Chance) % 6);
    if (m_Level == 0)
        FillStart();
    else
        FillStartRandom();
}

// One step of the ceiling's random walk. The clamps send -1 to 1 and 8 to 6,
// so the edge bounces off the limits instead of resting on them.
static int WalkCeiling(CChance* chance, int row)
{
    const int r = RollOf(chance) % 24;
    if (r <= 11)
        row++;
    else if (r >= 13)
        row--;
    if (row < 0)
        row = 1;
    if (row > 7)
        row = 6;
    return row;
}

static void SetCell(CMapCell& cell, int tileX, int tileY)
{
    cell.m_TileX = cell.m_HitTileX = tileX;
    cell.m_TileY = cell.m_HitTileY = tileY;
}

static void FillColumn(CChance* chance, CMapCell (&column)[MAP_ROWS], int ceiling, int level)
{
    for (int row = 0; row < ceiling; row++)
        SetCell(column[row], level, TILE_ROCK);
    SetCell(column[ceiling], level, TILE_CEILING_EDGE);
    int decorationRow = -1;
    int decorationColumn = 0;
    if (RollOf(chance) % 100 > 70) {
        decorationRow = RollOf(chance) % WATER_ROWS + ceiling + 1;
        decorationColumn = RollOf(chance) % 3;
    }
    for (int row = ceiling + 1; row <= ceiling + WATER_ROWS; row++) {
        if (row == decorationRow)
            SetCell(column[row], decorationColumn, TILE_WATER_ROW);
        else
            SetCell(column[row], TILE_WATER_COLUMN, TILE_WATER_ROW);
    }
    SetCell(column[ceiling + WATER_ROWS + 1], level, TILE_FLOOR_EDGE);
    for (int row = ceiling + WATER_ROWS + 2; row < MAP_ROWS; row++)
        SetCell(column[row], level, TILE_ROCK);
}

static void FillFromStart(CLevelMap& map, int flatColumns)
{
    int ceiling = START_CEILING_ROW;
    for (int c = 0; c < MAP_COLUMNS; c++) {
        if (c >= flatColumns)
            ceiling = WalkCeiling(map.m_Chance, ceiling);
        FillColumn(map.m_Chance, map.m_Cells[c], ceiling, map.m_Level);
    }
    map.m_CeilingRow = ceiling;
}

void CLevelMap::FillStart()
{
    FillFromStart(*this, FLAT_START_COLUMNS);
}

void CLevelMap::FillStartRandom()
{
    FillFromStart(*this, 0);
}

void CLevelMap::GenerateColumns(int n)
{
    if (n <= 0 || n > MAP_COLUMNS)
        return;
    // Beyond the end of the sea the floor is flat and of the first level's rock.
    int ceiling = m_Completed == 1 ? START_CEILING_ROW : m_CeilingRow;
    const int level = m_Completed == 1 ? 0 : m_Level;
    for (int c = MAP_COLUMNS - n; c < MAP_COLUMNS; c++) {
        if (m_Completed != 1)
            ceiling = WalkCeiling(m_Chance, ceiling);
        FillColumn(m_Chance, m_Cells[c], ceiling, level);
    }
    m_CeilingRow = ceiling;
}

// Copies the drawn tile into both pairs, as every fill does.
static void CopyCell(CMapCell& to, const CMapCell& from)
{
    SetCell(to, from.m_TileX, from.m_TileY);
}

int CLevelMap::ShiftColumns(int n)
{
    if (n > MAP_COLUMNS || n < 0)
        return -1;
    if (n > 0)
        std::copy(m_Cells[n - 1], m_Cells[n - 1] + MAP_ROWS, m_DroppedColumn);
    for (int c = n; c < MAP_COLUMNS; c++)
        for (int row = 0; row < MAP_ROWS; row++)
            CopyCell(m_Cells[c - n][row], m_Cells[c][row]);
    return 0;
}

int CLevelMap::ShiftRows(int n)
{
    if (n > MAP_ROWS || n < 0)
        return -1;
    for (int c = 0; c < MAP_COLUMNS; c++)
        for (int row = n; row < MAP_ROWS; row++)
            CopyCell(m_Cells[c][row - n], m_Cells[c][row]);
    return 0;
}

void CLevelMap::FillBottomRows(int n)
{
    if (n <= 0 || n > MAP_ROWS)
        return;
    for (int c = 0; c < MAP_COLUMNS; c++)
        for (int row = MAP_ROWS - n; row < MAP_ROWS; row++)
            SetCell(m_Cells[c][row], m_Level, TILE_ROCK);
}

// Counts the distance run; returns 1 on the step that completes the last level.
static int AdvanceDistance(CLevelMap& map)
{
    if (map.m_StepPixels <= PIXELS_PER_STEP) {
        map.m_StepPixels += map.m_SpeedX;
        return 0;
    }
    map.m_StepPixels = 0;
    map.m_DistanceScore += DISTANCE_STEP;
    map.m_Distance += DISTANCE_STEP;
    if (map.m_Distance <= DISTANCE_PER_LEVEL)
        return 0;
    map.m_Distance = 0;
    if (map.m_Level >= LAST_LEVEL) {
        map.m_Completed = 1;
        return 1;
    }
    map.m_Level++;
    return 0;
}

void CLevelMap::StartStep()
{
    m_PrevScrollX = m_ScrollX;
}

int CLevelMap::Update(int stepX, int stepY)
{
    m_SpeedX = m_SpeedY = 2 * m_Level + 2;
    if (m_StopProgress == 0 && AdvanceDistance(*this) == 1)
        return 1;  // the sea ends here: no scrolling on this tick
    if (m_AutoScrollX == 1)
        m_ScrollX += m_SpeedX * m_DirX;
    if (m_FollowX == 1)
        m_ScrollX += stepX;
    if (m_AutoScrollY == 1)
        m_ScrollY += m_SpeedY * m_DirY;
    if (m_FollowY == 1)
        m_ScrollY += stepY;
    KeepInBounds();
    return 0;
}

static int Clamp(int value, int low, int high)
{
    return value < low ? low : value > high ? high : value;
}

// Generating axes drop the cells that left and make new ones; the others are
// clamped. Returns how many pixels the cells moved by.
static int KeepAxisInBounds(CLevelMap& map, int& scroll, int generate, int maxScroll,
                            int (CLevelMap::*shift)(int), void (CLevelMap::*refill)(int))
{
    if (generate != 1) {
        scroll = Clamp(scroll, 0, maxScroll);
        return 0;
    }
    if (scroll < 0)
        scroll = 0;
    if (scroll > maxScroll) {
        const int n = scroll / TILE_SIZE;
        if ((map.*shift)(n) == 0) {
            (map.*refill)(n);
            scroll %= TILE_SIZE;
            return n * TILE_SIZE;
        }
    }
    return 0;
}

void CLevelMap::KeepInBounds()
{
    // The picture does not move with a shift: the place it slides from moves with the cells.
    m_PrevScrollX -= KeepAxisInBounds(*this, m_ScrollX, m_GenerateX, MAP_COLUMNS * TILE_SIZE - m_ViewWidth,
                                      &CLevelMap::ShiftColumns, &CLevelMap::GenerateColumns);
    KeepAxisInBounds(*this, m_ScrollY, m_GenerateY, MAP_ROWS * TILE_SIZE - m_ViewHeight,
                     &CLevelMap::ShiftRows, &CLevelMap::FillBottomRows);
}

static bool InGrid(int column, int row)
{
    return column >= 0 && column < MAP_COLUMNS && row >= 0 && row < MAP_ROWS;
}

int CLevelMap::DrawnScrollX(float t) const
{
    return BetweenPixels(m_PrevScrollX, m_ScrollX, t);
}

// The cell drawn at a grid position: column -1 is the one the latest shift dropped.
static const CMapCell* DrawnCell(const CLevelMap& map, int column, int row)
{
    if (column == -1 && row >= 0 && row < MAP_ROWS)
        return &map.m_DroppedColumn[row];
    return InGrid(column, row) ? &map.m_Cells[column][row] : nullptr;
}

// Rounds toward minus infinity, so a scroll just below 0 starts at column -1.
static int FloorDiv(int value, int divisor)
{
    return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

// Where the grid lies in a frame drawn a fraction t through the latest step: the
// cell at the view's top left, and how far that cell starts left of and above it.
struct GridView {
    int firstColumn, firstRow, shiftX, shiftY;
};

static GridView GridViewOf(const CLevelMap& map, float t)
{
    const int scrollX = map.DrawnScrollX(t);
    const int firstColumn = FloorDiv(scrollX, TILE_SIZE);
    return {firstColumn, map.m_ScrollY / TILE_SIZE, scrollX - firstColumn * TILE_SIZE, map.m_ScrollY % TILE_SIZE};
}

// How a tile of the sheet covers what lies behind it. Open water is wholly
// transparent and rock wholly solid: neither needs a masked copy.
enum class TileLook : unsigned char { Empty, Solid, Mixed };

static TileLook ReadTileLook(BITMAP* tiles, int tileX, int tileY)
{
    const int mask = bitmap_mask_color(tiles);
    bool seen = false, covered = true;
    for (int y = 0; y < TILE_SIZE; y++)
        for (int x = 0; x < TILE_SIZE; x++) {
            const int pixel = getpixel(tiles, tileX * TILE_SIZE + x, tileY * TILE_SIZE + y);
            const bool shown = pixel != mask && pixel != -1;
            seen = seen || shown;
            covered = covered && shown;
        }
    return !seen ? TileLook::Empty : covered ? TileLook::Solid : TileLook::Mixed;
}

// Each tile of the sheet, read once as the sheet is set; a see-through one is
// kept as runs, so that a frame copies its rock and skips its water.
struct TileSheetLooks {
    static constexpr int SIDE = 8;
    TileLook looks[SIDE][SIDE];
    std::shared_ptr<RLE_SPRITE> runs[SIDE][SIDE];

    TileLook Of(int tileX, int tileY) const
    {
        return InSheet(tileX, tileY) ? looks[tileY][tileX] : TileLook::Mixed;
    }
    const RLE_SPRITE* RunsOf(int tileX, int tileY) const
    {
        return InSheet(tileX, tileY) ? runs[tileY][tileX].get() : nullptr;
    }
    static bool InSheet(int tileX, int tileY) { return tileX >= 0 && tileY >= 0 && tileX < SIDE && tileY < SIDE; }
};

// The runs of a see-through tile that lies wholly on the sheet.
static std::shared_ptr<RLE_SPRITE> TileRuns(BITMAP* tiles, int tileX, int tileY)
{
    const int x = tileX * TILE_SIZE, y = tileY * TILE_SIZE;
    if (x + TILE_SIZE > tiles->w || y + TILE_SIZE > tiles->h)
        return nullptr;
    return RunsOf(tiles, x, y, TILE_SIZE, TILE_SIZE);
}

static std::shared_ptr<const TileSheetLooks> ReadTileSheet(BITMAP* tiles)
{
    auto sheet = std::make_shared<TileSheetLooks>();
    for (int tileY = 0; tileY < TileSheetLooks::SIDE; tileY++)
        for (int tileX = 0; tileX < TileSheetLooks::SIDE; tileX++) {
            sheet->looks[tileY][tileX] = ReadTileLook(tiles, tileX, tileY);
            if (sheet->looks[tileY][tileX] == TileLook::Mixed)
                sheet->runs[tileY][tileX] = TileRuns(tiles, tileX, tileY);
        }
    return sheet;
}

static void DrawTile(BITMAP* tiles, BITMAP* dest, const TileSheetLooks& sheet, const CMapCell& cell, int x, int y)
{
    const int sx = cell.m_TileX * TILE_SIZE, sy = cell.m_TileY * TILE_SIZE;
    const RLE_SPRITE* runs = sheet.RunsOf(cell.m_TileX, cell.m_TileY);
    switch (sheet.Of(cell.m_TileX, cell.m_TileY)) {
    case TileLook::Empty: break;
    case TileLook::Solid: CopyPart(dest, tiles, sx, sy, x, y, TILE_SIZE, TILE_SIZE); break;
    default:
        if (runs && runs->color_depth == bitmap_color_depth(dest))
            draw_rle_sprite(dest, runs, x, y);
        else
            masked_blit(tiles, dest, sx, sy, x, y, TILE_SIZE, TILE_SIZE);
        break;
    }
}

// Row 3 of the sheet: the stones that stand in open water, and open water itself.
constexpr int WATER_TILE_ROW = 3;

void CLevelMap::DrawTiles(BITMAP* dest, float t, TileRows rows) const
{
    if (!m_Tiles || !m_TileLooks || !dest)
        return;
    const GridView view = GridViewOf(*this, t);
    for (int i = 0; i <= m_ViewWidth / TILE_SIZE; i++) {
        for (int j = 0; j <= m_ViewHeight / TILE_SIZE; j++) {
            const CMapCell* cell = DrawnCell(*this, view.firstColumn + i, view.firstRow + j);
            if (!cell)
                continue;
            const bool water = cell->m_TileY == WATER_TILE_ROW;
            if (rows == TileRows::All || water == (rows == TileRows::WaterStones))
                DrawTile(m_Tiles, dest, *m_TileLooks, *cell, i * TILE_SIZE - view.shiftX, j * TILE_SIZE - view.shiftY);
        }
    }
}

CLevelMap::RockReach CLevelMap::SolidRockOver(int left, int right, float t) const
{
    if (!m_Tiles || !m_TileLooks)
        return {0, m_ViewHeight};  // no walls drawn, nothing covered
    const GridView view = GridViewOf(*this, t);
    const int shiftY = view.shiftY;
    const int lastRow = (m_ViewHeight + shiftY - 1) / TILE_SIZE;  // the lowest row on view
    auto solid = [&](int i, int j) {
        const CMapCell* cell = DrawnCell(*this, view.firstColumn + i, view.firstRow + j);
        return cell && cell->m_TileY != WATER_TILE_ROW && m_TileLooks->Of(cell->m_TileX, cell->m_TileY) == TileLook::Solid;
    };
    RockReach reach{m_ViewHeight, 0};
    for (int i = 0; i <= m_ViewWidth / TILE_SIZE; i++) {
        const int x = i * TILE_SIZE - view.shiftX;
        if (x + TILE_SIZE <= left || x >= right)
            continue;
        int top = 0, bottom = lastRow;
        while (top <= lastRow && solid(i, top))
            top++;
        while (bottom >= top && solid(i, bottom))
            bottom--;
        reach.top = std::min(reach.top, std::max(0, top * TILE_SIZE - shiftY));
        reach.bottom = std::max(reach.bottom, std::min(m_ViewHeight, (bottom + 1) * TILE_SIZE - shiftY));
    }
    reach.bottom = std::max(reach.bottom, reach.top);
    return reach;
}

void CLevelMap::Draw(BITMAP* dest, float t) const
{
    DrawTiles(dest, t, TileRows::All);
}

void CLevelMap::DrawWaterStones(BITMAP* dest, float t) const
{
    DrawTiles(dest, t, TileRows::WaterStones);
}

void CLevelMap::DrawWalls(BITMAP* dest, float t) const
{
    DrawTiles(dest, t, TileRows::Walls);
}

int CLevelMap::GetLevel() const
{
    return m_Level;
}

int CLevelMap::GetSpawnTop() const
{
    return m_CeilingRow * TILE_SIZE + 2 * TILE_SIZE;
}

int CLevelMap::GetSpawnHeight() const
{
    return SPAWN_HEIGHT;
}

int CLevelMap::IsCompleted() const
{
    return m_Completed;
}

// The cell under a map point, or none when the point lies outside the grid.
static const CMapCell* CellAt(const CLevelMap& map, int x, int y)
{
    if (x < 0 || y < 0)
        return nullptr;
    const int column = x / TILE_SIZE;
    const int row = y / TILE_SIZE;
    return InGrid(column, row) ? &map.m_Cells[column][row] : nullptr;
}

int CLevelMap::GetMaskPixel(int x, int y) const
{
    const CMapCell* cell = CellAt(*this, x, y);
    if (!cell)
        return -1;  // off the map is open water
    return MaskPixel(m_TileMask, cell->m_HitTileX * TILE_SIZE + x % TILE_SIZE,
                     cell->m_HitTileY * TILE_SIZE + y % TILE_SIZE);
}

int CLevelMap::GetHitType(int x, int y) const
{
    const CMapCell* cell = CellAt(*this, x, y);
    return cell ? cell->m_HitTileY : 0;
}

int CLevelMap::GetDistanceFromTileTop(int, int y) const
{
    return y % TILE_SIZE;
}

int CLevelMap::GetDistanceToTileBottom(int, int y) const
{
    return TILE_SIZE - y % TILE_SIZE;
}
