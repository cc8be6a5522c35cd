// The game always draws a 640 x 480 picture; on a bigger window or screen it
// is shown N times bigger, each picture pixel an N x N block, and centred.
#pragma once
#include <allegro.h>

// Where the picture lies on the screen: its top-left corner and its factor.
struct PictureFrame {
    int factor = 1;
    int x = 0;
    int y = 0;
};

// The window's factor (1 to 4): the largest that leaves a tenth of the desktop's
// height for panels and the title bar.
int WindowFactorFor(int desktopWidth, int desktopHeight);
// The largest factor (at least 1) at which the picture fits on the whole screen.
int FullscreenFactorFor(int screenWidth, int screenHeight);
// The picture at that factor, centred on a screen of that size.
PictureFrame CentredFrame(int screenWidth, int screenHeight, int factor);

// A screen position mapped into the picture; points on the border go to its nearest edge.
int PictureXFromScreen(const PictureFrame& frame, int screenX);
int PictureYFromScreen(const PictureFrame& frame, int screenY);
// The screen position of a picture pixel's top-left corner.
int ScreenXFromPicture(const PictureFrame& frame, int pictureX);
int ScreenYFromPicture(const PictureFrame& frame, int pictureY);

// Copies a 32-bit memory picture into out (factor times as wide and as high),
// each pixel made a factor x factor block.
void ScaleWholePixels(BITMAP* picture, BITMAP* out, int factor);
// The same for the picture's rows firstRow .. firstRow + rows - 1, into the top of out.
void ScalePictureRows(BITMAP* picture, int firstRow, int rows, BITMAP* out, int factor);
// The same onto rows of 32-bit pixels that begin outX pixels into outRows[0], outRows[1], ...
void ScalePictureOnto(BITMAP* picture, int firstRow, int rows, unsigned char* const* outRows, int outX, int factor);
