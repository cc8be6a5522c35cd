// Placeholder until the collections land; replaced whole by their implementation.
#include "world/character.h"
CCharacter::CCharacter(int, int) : m_Sheet(nullptr), m_Mask(nullptr), m_CHHead(nullptr), m_CHEnemyCount(0) {}
CCharacter::~CCharacter() {}
void CCharacter::SetBitmaps(BITMAP* sheet, BITMAP* mask) { m_Sheet = sheet; m_Mask = mask; }
void CCharacter::ClearBitmaps() { m_Sheet = m_Mask = nullptr; }
void CCharacter::InitForGame() {}
void CCharacter::InitForInstructions() {}
void CCharacter::InitAsIcons() {}
void CCharacter::InitForScreen(int) {}
int CCharacter::AddEnemy(int, int, int, int) { return -1; }
void CCharacter::RemoveAllEnemies() {}
void CCharacter::RemoveDestroyedEnemies() {}
void CCharacter::ExplodeEnemies() {}
void CCharacter::MoveCharacter(int) {}
void CCharacter::MoveCharacterForInstructions() {}
void CCharacter::MoveCharacterAsIcons() {}
void CCharacter::MoveCharacterForCongratulations(int, int) {}
void CCharacter::MoveCharacterForHiScore(int, int) {}
void CCharacter::MoveCharacterForCredits(int, int) {}
void CCharacter::Animate() {}
void CCharacter::StepFrames() {}
void CCharacter::DrawCharacters(BITMAP*) {}
void CCharacter::DrawKind(int, BITMAP*, int, int) {}
