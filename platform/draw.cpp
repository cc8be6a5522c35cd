#include "platform/draw.h"
#include <algorithm>

void DrawHeading(BITMAP* bmp, FONT* f, const char* text, int x, int y)
{
    textout_centre_ex(bmp, f, text, x + 5, y + 5, makecol(0, 0, 0), -1);
    textout_centre_ex(bmp, f, text, x + 2, y + 2, makecol(150, 150, 20), -1);
    textout_centre_ex(bmp, f, text, x, y, makecol(255, 255, 0), -1);
}

void DrawButton(BITMAP* bmp, FONT* f, const char* text, int x, int y, Align align, bool selected)
{
    auto draw = [&](int at, int top, int colour) {
        switch (align) {
        case Align::Left: textout_ex(bmp, f, text, at, top, colour, -1); break;
        case Align::Centre: textout_centre_ex(bmp, f, text, at, top, colour, -1); break;
        case Align::Right: textout_right_ex(bmp, f, text, at, top, colour, -1); break;
        }
    };
    draw(x + (selected ? 5 : 10), y + 10, makecol(0, 0, 0));
    if (selected)
        draw(x, y + 5, makecol(255, 0, 0));
    else
        draw(x, y, makecol(255, 255, 255));
}

void DrawCentredButton(BITMAP* bmp, FONT* f, const char* text, int x, int y, bool selected)
{
    DrawButton(bmp, f, text, x, y, Align::Centre, selected);
}

int OutlineColourFor(int colour)
{
    int luma = (299 * getr(colour) + 587 * getg(colour) + 114 * getb(colour)) / 1000;
    // Pure blue is darker than any water it floats on: give it a pale rim.
    return luma < 60 ? makecol(200, 235, 255) : makecol(0, 0, 0);
}

void DrawOverlayText(BITMAP* bmp, FONT* f, const char* text, int x, int y, int colour, int shadow)
{
    constexpr int RADIUS = 2;
    textout_centre_ex(bmp, f, text, x + shadow, y + shadow, makecol(0, 0, 0), -1);
    int outline = OutlineColourFor(colour);
    for (int dy = -RADIUS; dy <= RADIUS; dy++)
        for (int dx = -RADIUS; dx <= RADIUS; dx++)
            if ((dx || dy) && dx * dx + dy * dy <= RADIUS * RADIUS + 1)
                textout_centre_ex(bmp, f, text, x + dx, y + dy, outline, -1);
    textout_centre_ex(bmp, f, text, x, y, colour, -1);
}

void DarkenBand(BITMAP* bmp, int left, int top, int right, int bottom)
{
    left = MAX(left, 0), top = MAX(top, 0);
    right = MIN(right, bmp->w - 1), bottom = MIN(bottom, bmp->h - 1);
    for (int y = top; y <= bottom; y++)
        for (int x = left; x <= right; x++) {
            const int c = getpixel(bmp, x, y);
            putpixel(bmp, x, y,
                     makecol(getr(c) * CAPTION_BAND_KEEP_PERCENT / 100, getg(c) * CAPTION_BAND_KEEP_PERCENT / 100,
                             getb(c) * CAPTION_BAND_KEEP_PERCENT / 100));
        }
}

// Room round the text: its 2-pixel outline and a little more.
constexpr int CAPTION_MARGIN_X = 8;
constexpr int CAPTION_MARGIN_Y = 3;

void DrawCaptionLines(BITMAP* bmp, int x, const CaptionLine* lines, int count)
{
    int left = bmp->w, right = -1, top = bmp->h, bottom = -1;
    for (int i = 0; i < count; i++) {
        const CaptionLine& line = lines[i];
        const int half = text_length(line.font, line.text) / 2;
        left = MIN(left, x - half - CAPTION_MARGIN_X);
        right = MAX(right, x + half + line.shadow + CAPTION_MARGIN_X);
        top = MIN(top, line.y - CAPTION_MARGIN_Y);
        bottom = MAX(bottom, line.y + text_height(line.font) + line.shadow + CAPTION_MARGIN_Y);
    }
    if (count > 0)
        DarkenBand(bmp, left, top, right, bottom);
    for (int i = 0; i < count; i++)
        DrawOverlayText(bmp, lines[i].font, lines[i].text, x, lines[i].y, lines[i].colour, lines[i].shadow);
}

void DrawCaption(BITMAP* bmp, FONT* f, const char* text, int x, int y, int colour, int shadow)
{
    const CaptionLine line = {f, text, y, colour, shadow};
    DrawCaptionLines(bmp, x, &line, 1);
}

std::shared_ptr<RLE_SPRITE> RunsOf(BITMAP* picture, int x, int y, int w, int h)
{
    BITMAP* part = create_sub_bitmap(picture, x, y, w, h);
    RLE_SPRITE* runs = part ? get_rle_sprite(part) : nullptr;
    if (part)
        destroy_bitmap(part);
    return runs ? std::shared_ptr<RLE_SPRITE>(runs, destroy_rle_sprite) : nullptr;
}

bool IsMemoryPicture(BITMAP* bitmap, int depth)
{
    return bitmap && is_memory_bitmap(bitmap) && bitmap_color_depth(bitmap) == depth;
}

ClipWithin::ClipWithin(BITMAP* bmp, int left, int top, int right, int bottom)
    : m_Bitmap(bmp), m_WasClipping(get_clip_state(bmp))
{
    get_clip_rect(bmp, &m_Left, &m_Top, &m_Right, &m_Bottom);
    left = std::max(left, m_Left);
    top = std::max(top, m_Top);
    right = std::min(right, m_Right);
    bottom = std::min(bottom, m_Bottom);
    m_Empty = left > right || top > bottom;
    set_clip_state(bmp, TRUE);
    if (!m_Empty)
        set_clip_rect(bmp, left, top, right, bottom);
}

ClipWithin::~ClipWithin()
{
    set_clip_rect(m_Bitmap, m_Left, m_Top, m_Right, m_Bottom);
    set_clip_state(m_Bitmap, m_WasClipping);
}
