#include "art.h"
Image MakeFarLayer() { return Image(1280, 480, 0x103060); }
Image MakeNearLayer() { return Image(1280, 480, PINK); }
Image MakeMenuBackground() { return Image(640, 480, 0x103060); }
Image MakeScreenBackground() { return Image(640, 480, 0x103060); }
