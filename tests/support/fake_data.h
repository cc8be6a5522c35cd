// A stand-in for data.dat built in memory: every object of the right kind and
// size, so screens and the game can be stepped and drawn without the real art.
#pragma once
#include <allegro.h>

// Installs the headless Allegro, builds the objects and points g_Data at them.
void UseFakeData();
