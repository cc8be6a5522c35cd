#include "world/game_font.h"
#include "files/paths.h"
#include "data/data_files.h"
#include "app/startup.h"
#include <unistd.h>

// The font was checked at start; one damaged since would crash Allegro's
// loader: it ends the game with a message instead. A missing one is no matter,
// nothing draws with this font.
static bool FontFileIsThere()
{
    const std::string path = DataPath(GAME_FONT_FILE);
    std::string problem = CheckGameFontAt(path.c_str());
    if (!problem.empty())
        FatalError((std::string(GAME_FONT_FILE) + ": " + problem + "\n").c_str());
    return access(path.c_str(), F_OK) == 0;
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
