#include "platform/icon.h"
#include "pesko_icon.xpm"

// Allegro 4's X11 driver takes the window icon from this variable; its headers
// do not declare it.
extern "C" void* allegro_icon;

void UseGameIcon()
{
    allegro_icon = static_cast<void*>(const_cast<char**>(pesko_icon_xpm));
}
