// Placeholder until this screen lands: it returns to the menu at once.
#include "screens/screens.h"
void SetupScreen() {}
