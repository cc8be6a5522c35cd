// Drawing helpers shared by the front-end screens and the sea.
#pragma once
#include <allegro.h>
#include <memory>

// A heading drawn three times: black 5 px right and down, olive 2 px, then yellow.
void DrawHeading(BITMAP* bmp, FONT* f, const char* text, int x, int y);

enum class Align { Left, Centre, Right };

// A button or item over a black shadow 10 px right and down; the selected one is
// red, 5 px lower, with its shadow only 5 px to its right, so it looks pressed.
void DrawButton(BITMAP* bmp, FONT* f, const char* text, int x, int y, Align align, bool selected);
void DrawCentredButton(BITMAP* bmp, FONT* f, const char* text, int x, int y, bool selected);

// Centred text that reads on any water or rock: a black shadow `shadow` px right and
// down, a 2-px outline that contrasts with the text (light round dark blue, dark round
// red and green), then the text itself in its own colour.
void DrawOverlayText(BITMAP* bmp, FONT* f, const char* text, int x, int y, int colour, int shadow);
// The outline colour DrawOverlayText puts round text of `colour`.
int OutlineColourFor(int colour);

// A caption of the game or the demo (PAUSE, DEMO, REPLAY, GAME OVER, the switch
// messages): DrawOverlayText over a dark translucent band a little larger than
// the text, its outline and its shadow, so it reads over any scene.
void DrawCaption(BITMAP* bmp, FONT* f, const char* text, int x, int y, int colour, int shadow);
// Several captions centred on x over one band, so that lines close together
// share it instead of darkening twice where their bands would meet.
struct CaptionLine {
    FONT* font;
    const char* text;
    int y;
    int colour;
    int shadow;
};
void DrawCaptionLines(BITMAP* bmp, int x, const CaptionLine* lines, int count);
// The band: what lies in the rectangle keeps a quarter of its brightness.
void DarkenBand(BITMAP* bmp, int left, int top, int right, int bottom);
constexpr int CAPTION_BAND_KEEP_PERCENT = 25;

// A part of a picture (lying wholly on it) as runs of drawn pixels, freed with its
// last owner: drawn, it skips the see-through pixels instead of testing each one.
// None if Allegro has no memory for them.
std::shared_ptr<RLE_SPRITE> RunsOf(BITMAP* picture, int x, int y, int w, int h);

// A memory bitmap of that colour depth: its rows can be read and written directly.
bool IsMemoryPicture(BITMAP* bitmap, int depth);

// While it lives, drawing into the bitmap is also clipped to the rectangle
// (corners included), with clipping on; then the bitmap's own clipping is back.
class ClipWithin {
public:
    ClipWithin(BITMAP* bmp, int left, int top, int right, int bottom);
    ~ClipWithin();
    ClipWithin(const ClipWithin&) = delete;
    ClipWithin& operator=(const ClipWithin&) = delete;
    // Nothing of the rectangle lies inside the bitmap's own clipping.
    bool IsEmpty() const { return m_Empty; }

private:
    BITMAP* m_Bitmap;
    int m_Left, m_Top, m_Right, m_Bottom;
    int m_WasClipping;
    bool m_Empty;
};
