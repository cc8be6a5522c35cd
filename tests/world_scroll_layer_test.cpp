#include "support/pixels.h"
#include "world/scroll_layer.h"
#include <gtest/gtest.h>

namespace {

// Every column of the image has its own colour, so a drawn pixel tells where it came from.
int ColumnColour(int x)
{
    return makecol(x & 0xFF, (x >> 8) + 1, 7);
}

class ScrollLayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int x = 0; x < 1280; x++)
            vline(image, x, 0, 479, ColumnColour(x));
        layer.SetBitmap(image);
    }
    Picture image{1280, 480}, target{640, 480, 0x010203};
    CScrollLayer layer{640, 480};
};

// The image column drawn at a screen column for a position, the fraction dropped.
TEST_F(ScrollLayerTest, TheViewShowsTheColumnsFromItsPosition)
{
    struct Case { float pos; int x, y, column; };
    const Case cases[] = {
        {1279.5f, 0, 100, 1279}, {1279.5f, 1, 100, 0}, {1279.5f, 639, 479, 638},
        {640.5f, 0, 0, 640}, {640.5f, 639, 0, 1279},
        {1280.0f, 0, 0, 0}, {1280.0f, 639, 0, 639},
    };
    for (const Case& c : cases) {
        layer.m_PosX = c.pos;
        layer.Draw(target);
        EXPECT_EQ(getpixel(target, c.x, c.y), ColumnColour(c.column)) << c.pos << " at " << c.x;
    }
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
    EXPECT_EQ(getpixel(target, 0, 0), ColumnColour(102));
    layer.m_PosX = 1279.0f;
    layer.StartStep();
    layer.Scroll(12, 0, 3, 1);
    EXPECT_FLOAT_EQ(layer.m_PosX, 3.0f);
    EXPECT_FLOAT_EQ(layer.DrawnPosX(0.0f), 3.0f);
    layer.Draw(target, 0.0f);
    EXPECT_EQ(getpixel(target, 0, 0), ColumnColour(3));
}

TEST_F(ScrollLayerTest, MaskColourLetsTheLayerBehindShowThrough)
{
    rectfill(image, 0, 0, 9, 9, bitmap_mask_color(image));
    layer.Draw(target);
    EXPECT_EQ(getpixel(target, 5, 5), makecol(1, 2, 3));
    EXPECT_EQ(getpixel(target, 10, 5), ColumnColour(10));
}

TEST_F(ScrollLayerTest, WrappedVerticallyTheBottomComesFromTheTop)
{
    layer.m_WrapY = 1;
    layer.m_PosX = 1000.0f;
    layer.m_PosY = 400.0f;
    rectfill(image, 0, 0, 1279, 0, makecol(200, 0, 0));  // top row of the image
    layer.Draw(target);
    EXPECT_EQ(getpixel(target, 0, 80), makecol(200, 0, 0));     // piece C
    EXPECT_EQ(getpixel(target, 300, 80), makecol(200, 0, 0));   // piece D
    EXPECT_EQ(getpixel(target, 300, 79), ColumnColour(20));      // piece B
    EXPECT_EQ(getpixel(target, 279, 81), ColumnColour(1279));    // piece C, last column
}

TEST_F(ScrollLayerTest, ASmallerImageIsNotReadPastItsEdge)
{
    Picture small(100, 50, 0x090909);
    layer.SetBitmap(small);
    layer.m_PosX = 1279.0f;
    layer.Draw(target);
    EXPECT_EQ(getpixel(target, 0, 0), makecol(1, 2, 3));
    EXPECT_EQ(getpixel(target, 1, 0), makecol(9, 9, 9));
    EXPECT_EQ(getpixel(target, 101, 0), makecol(1, 2, 3));
}

}  // namespace
