#include "support/headless.h"
#include "world/scroll_layer.h"
#include <gtest/gtest.h>

namespace {

const int BACKGROUND_RGB[] = {1, 2, 200};

// Every pixel of the image has its own colour, so a drawn pixel tells where it came from;
// with see-through, a scatter of them is the mask colour.
BITMAP* CodedImage(bool seeThrough)
{
    BITMAP* image = create_bitmap(1280, 480);
    for (int y = 0; y < 480; y++)
        for (int x = 0; x < 1280; x++) {
            const bool hole = seeThrough && (x * 7 + y * 3) % 5 == 0;
            putpixel(image, x, y,
                     hole ? bitmap_mask_color(image) : makecol(x & 0xFF, (x >> 8) | (y & 0x1F) << 3, (y >> 5) + 1));
        }
    return image;
}

class ScrollLayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitHeadlessAllegro();
        target = create_bitmap(640, 480);
    }
    void TearDown() override
    {
        layer.SetBitmap(nullptr);
        destroy_bitmap(target);
    }
    int Background() const { return makecol(BACKGROUND_RGB[0], BACKGROUND_RGB[1], BACKGROUND_RGB[2]); }
    BITMAP* target = nullptr;
    CScrollLayer layer{640, 480};
};

// Screen pixel (x, y) shows image pixel (x + view's left, y + view's top), both
// round the image, the fraction of the position dropped; see-through shows what was there.
TEST_F(ScrollLayerTest, TheViewShowsTheImageFromItsPositionRoundItsEdges)
{
    struct Case { float x, y; };
    const Case cases[] = {{0, 0}, {1, 0}, {639, 0}, {640.5f, 0}, {1279.5f, 0}, {1280, 0}, {1000, 400}, {5, 479}};
    for (bool seeThrough : {false, true}) {
        BITMAP* image = CodedImage(seeThrough);
        layer.SetBitmap(image);
        layer.m_WrapY = 1;
        for (const Case& c : cases) {
            clear_to_color(target, Background());
            layer.m_PosX = layer.m_PrevPosX = c.x;
            layer.m_PosY = c.y;
            layer.Draw(target);
            int wrong = 0;
            for (int y = 0; y < 480; y++)
                for (int x = 0; x < 640; x++) {
                    const int from = getpixel(image, (x + int(c.x)) % 1280, (y + int(c.y)) % 480);
                    wrong += getpixel(target, x, y) != (from == bitmap_mask_color(image) ? Background() : from);
                }
            EXPECT_EQ(wrong, 0) << "at " << c.x << ", " << c.y << (seeThrough ? " with see-through" : "");
        }
        destroy_bitmap(image);
    }
}

// Drawn into part of a bigger picture: nothing outside the view, nor outside the picture's
// own clipping, which is kept.
TEST_F(ScrollLayerTest, ASeeThroughViewStaysInsideItsRectangle)
{
    BITMAP* image = CodedImage(true);
    BITMAP* big = create_bitmap(800, 600);
    clear_to_color(big, Background());
    set_clip_rect(big, 0, 0, 760, 400);
    layer.SetBitmap(image);
    layer.m_ScreenX = 100;
    layer.m_ScreenY = 50;
    layer.m_PosX = 1000;
    layer.m_PosY = 10;
    layer.m_WrapY = 1;
    layer.Draw(big);
    int cl, ct, cr, cb;
    get_clip_rect(big, &cl, &ct, &cr, &cb);
    EXPECT_EQ(cr, 760);
    EXPECT_EQ(cb, 400);
    EXPECT_EQ(getpixel(big, 99, 60), Background());
    EXPECT_EQ(getpixel(big, 101, 49), Background());
    EXPECT_EQ(getpixel(big, 101, 50), getpixel(image, 1001, 10));
    EXPECT_EQ(getpixel(big, 739, 50), getpixel(image, 359, 10));
    EXPECT_EQ(getpixel(big, 740, 51), Background());
    EXPECT_EQ(getpixel(big, 101, 401), Background());
    destroy_bitmap(big);
    destroy_bitmap(image);
}

TEST_F(ScrollLayerTest, ASmallerImageIsNotReadPastItsEdge)
{
    BITMAP* small = create_bitmap(100, 50);
    clear_to_color(small, makecol(9, 9, 9));
    clear_to_color(target, Background());
    layer.SetBitmap(small);
    layer.m_PosX = 1279.0f;
    layer.Draw(target);
    EXPECT_EQ(getpixel(target, 0, 0), Background());
    EXPECT_EQ(getpixel(target, 1, 0), makecol(9, 9, 9));
    EXPECT_EQ(getpixel(target, 101, 0), Background());
    destroy_bitmap(small);
}

}  // namespace
