// Placeholder until the level map lands; replaced whole by its implementation.
#include "world/level_map.h"
CLevelMap::CLevelMap(int, int) : m_Tiles(nullptr), m_TileMask(nullptr) {}
CLevelMap::~CLevelMap() {}
void CLevelMap::SetBitmaps(BITMAP* tiles, BITMAP* mask) { m_Tiles = tiles; m_TileMask = mask; }
void CLevelMap::ClearBitmaps() { m_Tiles = m_TileMask = nullptr; }
void CLevelMap::Init() {}
void CLevelMap::InitForDemo() {}
void CLevelMap::FillStart() {}
void CLevelMap::FillStartRandom() {}
void CLevelMap::GenerateColumns(int) {}
int CLevelMap::ShiftColumns(int) { return 0; }
int CLevelMap::ShiftRows(int) { return 0; }
void CLevelMap::FillBottomRows(int) {}
int CLevelMap::Update(int, int) { return 0; }
void CLevelMap::KeepInBounds() {}
void CLevelMap::Draw(BITMAP*) {}
int CLevelMap::GetLevel() const { return 0; }
int CLevelMap::GetSpawnTop() const { return 0; }
int CLevelMap::GetSpawnHeight() const { return 280; }
int CLevelMap::IsCompleted() const { return 0; }
int CLevelMap::GetMaskPixel(int, int) const { return 0; }
int CLevelMap::GetHitType(int, int) const { return 0; }
int CLevelMap::GetDistanceFromTileTop(int, int y) const { return y % 20; }
int CLevelMap::GetDistanceToTileBottom(int, int y) const { return 20 - y % 20; }
