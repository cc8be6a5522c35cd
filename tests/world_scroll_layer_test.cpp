#include "support/pixels.h"
#include "world/scroll_layer.h"
#include <gtest/gtest.h>

namespace {

constexpr int BACKGROUND = 0x0102C8;

// Every pixel of the image gets its own colour, so a drawn pixel tells where it came
// from; with see-through, a scatter of them is the mask colour.
void Code(BITMAP* image, bool seeThrough)
{
    for (int y = 0; y < 480; y++)
        for (int x = 0; x < 1280; x++) {
            const bool hole = seeThrough && (x * 7 + y * 3) % 5 == 0;
            putpixel(image, x, y,
                     hole ? bitmap_mask_color(image) : makecol(x & 0xFF, (x >> 8) | (y & 0x1F) << 3, (y >> 5) + 1));
        }
}

class ScrollLayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Code(image, false);
        layer.SetBitmap(image);
    }
    Picture image{1280, 480}, target{640, 480, BACKGROUND};
    CScrollLayer layer{640, 480};
};

// Screen pixel (x, y) shows image pixel (x + view's left, y + view's top), both
// round the image, the fraction of the position dropped; see-through shows what was there.
TEST_F(ScrollLayerTest, TheViewShowsTheImageFromItsPositionRoundItsEdges)
{
    struct Case { float x, y; };
    const Case cases[] = {{0, 0}, {1, 0}, {639, 0}, {640.5f, 0}, {1279.5f, 0}, {1280, 0}, {1000, 400}, {5, 479}};
    for (bool seeThrough : {false, true}) {
        Code(image, seeThrough);
        layer.SetBitmap(image);
        layer.m_WrapY = 1;
        for (const Case& c : cases) {
            clear_to_color(target, BACKGROUND);
            layer.m_PosX = layer.m_PrevPosX = c.x;
            layer.m_PosY = c.y;
            layer.Draw(target);
            int wrong = 0;
            for (int y = 0; y < 480; y++)
                for (int x = 0; x < 640; x++) {
                    const int from = getpixel(image, (x + int(c.x)) % 1280, (y + int(c.y)) % 480);
                    wrong += getpixel(target, x, y) != (from == bitmap_mask_color(image) ? BACKGROUND : from);
                }
            EXPECT_EQ(wrong, 0) << "at " << c.x << ", " << c.y << (seeThrough ? " with see-through" : "");
        }
    }
}

// Drawn into part of a bigger picture: nothing outside the view, nor outside the picture's
// own clipping, which is kept.
TEST_F(ScrollLayerTest, ASeeThroughViewStaysInsideItsRectangle)
{
    Code(image, true);
    Picture big(800, 600, BACKGROUND);
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
    EXPECT_EQ(getpixel(big, 99, 60), BACKGROUND);
    EXPECT_EQ(getpixel(big, 101, 49), BACKGROUND);
    EXPECT_EQ(getpixel(big, 101, 50), getpixel(image, 1001, 10));
    EXPECT_EQ(getpixel(big, 739, 50), getpixel(image, 359, 10));
    EXPECT_EQ(getpixel(big, 740, 51), BACKGROUND);
    EXPECT_EQ(getpixel(big, 102, 401), BACKGROUND);
    clear_to_color(big, BACKGROUND);
    set_clip_rect(big, 0, 0, 700, 400);  // now the clipping, not the view, ends it on the right
    layer.Draw(big);
    EXPECT_EQ(getpixel(big, 700, 52), getpixel(image, 320, 12));
    EXPECT_EQ(getpixel(big, 701, 52), BACKGROUND);  // image pixel (321, 12) is drawn
}

// Drawn between two steps, the layer is that far along; going round the image,
// it is drawn at its new place, never slid back across it.
TEST_F(ScrollLayerTest, LayerSlidesThroughTheStepAndAWrappedOneStaysPut)
{
    layer.m_PosX = 100.0f;
    layer.StartStep();
    layer.Scroll(12, 0, 3, 1);  // the level-5 step of the nearer layer: 4 pixels
    EXPECT_FLOAT_EQ(layer.DrawnPosX(0.5f), 102.0f);
    layer.Draw(target, 0.5f);
    EXPECT_EQ(getpixel(target, 0, 0), getpixel(image, 102, 0));
    layer.m_PosX = 1279.0f;
    layer.StartStep();
    layer.Scroll(12, 0, 3, 1);
    EXPECT_FLOAT_EQ(layer.m_PosX, 3.0f);
    EXPECT_FLOAT_EQ(layer.DrawnPosX(0.0f), 3.0f);
    layer.Draw(target, 0.0f);
    EXPECT_EQ(getpixel(target, 0, 0), getpixel(image, 3, 0));
}

TEST_F(ScrollLayerTest, ASmallerImageIsNotReadPastItsEdge)
{
    Picture small(100, 50, 0x090909);
    layer.SetBitmap(small);
    layer.m_PosX = 1279.0f;
    layer.Draw(target);
    EXPECT_EQ(getpixel(target, 0, 0), BACKGROUND);
    EXPECT_EQ(getpixel(target, 1, 0), makecol(9, 9, 9));
    EXPECT_EQ(getpixel(target, 101, 0), BACKGROUND);
}

}  // namespace
