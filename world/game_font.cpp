#include "world/game_font.h"
#include "files/paths.h"
#include "files/file_bytes.h"
#include "data/pcx_check.h"
#include "app/startup.h"

constexpr const char* GAME_FONT_FILE = "game_font.pcx";
constexpr size_t GAME_FONT_MAX_BYTES = size_t(16) << 20;

// A damaged font file would crash Allegro's loader: it ends the game with a
// message instead. A missing one is no matter, nothing draws with this font.
static bool FontFileIsThere()
{
    std::vector<uint8_t> bytes;
    std::string problem = ReadRegularFile(DataPath(GAME_FONT_FILE).c_str(), GAME_FONT_MAX_BYTES, bytes);
    if (problem == FILE_CANNOT_BE_OPENED)
        return false;
    if (problem.empty())
        problem = CheckPcxBytes(bytes.data(), bytes.size());
    if (!problem.empty())
        FatalError((std::string(GAME_FONT_FILE) + ": " + problem + "\n").c_str());
    return true;
}

void CGameFont::LoadFont()
{
    // A second load without DestroyFont would lose the first font: free it first.
    DestroyFont();
    if (FontFileIsThere())
        m_Font = load_bitmap_font(DataPath(GAME_FONT_FILE).c_str(), nullptr, nullptr);
}

void CGameFont::DestroyFont()
{
    if (m_Font) {
        destroy_font(m_Font);
        m_Font = nullptr;
    }
}
