#include "platform/headless.h"
#include "support/temp_dir.h"
#include "world/game_font.h"
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace {

// The game's own font sheet, made by the build.
void SaveFontSheet()
{
    std::ifstream in(PESKO_DATA_DIR "/game_font.pcx", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    ASSERT_GT(bytes.size(), 1000u) << "the build makes game_font.pcx";
    std::ofstream("game_font.pcx", std::ios::binary) << bytes;
}

// A missing font file leaves the holder empty; a present one is loaded and freed.
TEST(GameFontTest, AFontFileIsLoadedAndFreed)
{
    StartHeadlessAllegro();
    TempDir dir;
    CGameFont holder;
    holder.LoadFont();
    EXPECT_EQ(holder.m_Font, nullptr);
    SaveFontSheet();
    holder.LoadFont();
    ASSERT_NE(holder.m_Font, nullptr);
    EXPECT_EQ(text_height(holder.m_Font), 16);
    holder.LoadFont();  // loading again replaces the font without losing the first
    ASSERT_NE(holder.m_Font, nullptr);
    holder.DestroyFont();
    holder.DestroyFont();
    EXPECT_EQ(holder.m_Font, nullptr);
}

// A well-formed 256-colour PCX of one pixel, which holds no glyph.
std::string OnePixelPcx()
{
    std::string b(128, '\0');
    b[0] = 0x0A, b[1] = 5, b[2] = 1, b[3] = 8;  // PCX, run-length, 8 bits
    b[65] = 1, b[66] = 2;  // one plane, 2 bytes a row
    b += std::string("\0\0", 2) + "\x0C" + std::string(768, '\xFF');
    return b;
}

// Allegro's loader crashes on these; the game ends with a message instead.
TEST(GameFontDeathTest, ADamagedFontFileEndsTheGameWithItsName)
{
    StartHeadlessAllegro();
    TempDir dir;
    SaveFontSheet();
    const std::string good = dir.ReadFile("game_font.pcx");
    auto damaged = [&](size_t at, std::initializer_list<uint8_t> bytes) {
        std::string b = good;
        for (uint8_t v : bytes)
            b[at++] = char(v);
        return b;
    };
    const std::pair<std::string, const char*> cases[] = {
        {good.substr(0, 128), "game_font.pcx: is cut short \\(its rows end early\\)"},
        {good.substr(0, 100), "game_font.pcx: is cut short \\(100 bytes\\)"},
        {damaged(8, {0xFF, 0xFF}), "game_font.pcx: width 65536"},
        {damaged(10, {0xFF, 0xFF, 0, 0}), "game_font.pcx: height 65536"},
        {damaged(4, {1, 0, 0, 0, 0, 0}), "game_font.pcx: width 0"},
        {damaged(65, {3}), "game_font.pcx: 3 planes of 8 bits, not one plane of 8 bits"},
        {OnePixelPcx(), "game_font.pcx: has no glyphs"},
        {OnePixelPcx().substr(0, 128) + "\xC2", "game_font.pcx: is cut short \\(its rows end early\\)"},
    };
    for (const auto& [bytes, message] : cases) {
        dir.WriteFile("game_font.pcx", bytes);
        CGameFont holder;
        EXPECT_EXIT(holder.LoadFont(), ::testing::ExitedWithCode(1), message);
    }
}

}  // namespace
