// Placeholder until the fish lands; replaced whole by its implementation.
#include "world/player.h"
CPlayer::CPlayer(int, int) : m_Sprite(nullptr), m_Mask(nullptr) {}
CPlayer::~CPlayer() {}
void CPlayer::Init(int, int) {}
void CPlayer::Respawn() {}
void CPlayer::NewGame() {}
void CPlayer::SetBitmaps(BITMAP* sprite, BITMAP* mask) { m_Sprite = sprite; m_Mask = mask; }
void CPlayer::ClearBitmaps() { m_Sprite = m_Mask = nullptr; }
void CPlayer::Animate() {}
void CPlayer::NextFrame() {}
void CPlayer::Draw(BITMAP*) {}
bool CPlayer::IsDirectionOn(int, int) { return false; }
int CPlayer::Update(int, CLevelMap&, CCharacter&) { return 0; }
int CPlayer::CheckMap(CLevelMap&, int, int) { return 0; }
int CPlayer::CheckCharacters(CCharacter&, int, int) { return 0; }
