// Placeholder until the demo lands; the menu comes back at once.
#include "game/game.h"
void PlayDemo() {}
