// pesko-art: draws every picture and font of the game into OUT_DIR, plus the
// bitmap font game_font.pcx into GAME_FONT_PATH and a contact sheet for review.
#include "art.h"
#include "draw.h"
#include "fonts.h"
#include <cstdio>
#include <string>
#include <vector>

namespace {

const char* const DEJAVU_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
const char* const FREESANS_BOLD = "/usr/share/fonts/truetype/freefont/FreeSansBold.ttf";

struct NamedImage {
    std::string file;  // also its place in data.dat, by the order of pack.sh
    Image image;
};

struct NamedFont {
    std::string file;
    FontStyle style;
};

std::vector<NamedImage> AllBitmaps()
{
    Image fish = MakeFishSheet();
    Image tiles = MakeTileSheet();
    Image kinds = MakeCharacterSheet();
    return {
        {"bmp_player.tga", fish},
        {"bmp_player_mask.tga", MaskOf(fish)},
        {"bmp_menu.tga", MakeMenuBackground()},
        {"bmp_screen.tga", MakeScreenBackground()},
        {"bmp_layer1.tga", MakeFarLayer()},
        {"bmp_layer2.tga", MakeNearLayer()},
        {"bmp_tiles.tga", tiles},
        {"bmp_tiles_mask.tga", MaskOf(tiles)},
        {"bmp_characters.tga", kinds},
        {"bmp_characters_mask.tga", MaskOf(kinds)},
    };
}

std::vector<NamedFont> AllFonts()
{
    return {
        {"fnt_title.pcx", {DEJAVU_BOLD, 92, 3.0}},
        {"fnt_heading.pcx", {DEJAVU_BOLD, 40, 1.0, 0.72}},
        {"fnt_text.pcx", {DEJAVU_BOLD, 20, 0.0}},
        {"fnt_table.pcx", {DEJAVU_BOLD, 26, 1.0}},
        {"fnt_menu.pcx", {DEJAVU_BOLD, 38, 0.8}},
    };
}

// Every bitmap on one page, each labelled, pink left visible on purpose.
bool WriteContactSheet(const std::vector<NamedImage>& bitmaps, const std::string& path)
{
    const int width = 1300, gap = 24;
    int height = gap;
    for (const NamedImage& b : bitmaps)
        height += b.image.h + gap;
    cairo_surface_t* page = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(page);
    SetColour(cr, 0x404040);
    cairo_paint(cr);
    int y = gap;
    for (const NamedImage& b : bitmaps) {
        SetColour(cr, 0xFFFFFF);
        cairo_move_to(cr, 10, y - 6);
        cairo_show_text(cr, b.file.c_str());
        cairo_surface_t* s = ToSurface(b.image);
        cairo_set_source_surface(cr, s, 10, y);
        cairo_paint(cr);
        cairo_surface_destroy(s);
        y += b.image.h + gap;
    }
    cairo_destroy(cr);
    bool ok = cairo_surface_write_to_png(page, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(page);
    return ok;
}

bool Fail(const std::string& what)
{
    fprintf(stderr, "pesko-art: cannot write %s\n", what.c_str());
    return false;
}

bool WriteEverything(const std::string& outDir, const std::string& gameFontPath)
{
    std::vector<NamedImage> bitmaps = AllBitmaps();
    for (const NamedImage& b : bitmaps)
        if (!WriteTga(outDir + "/" + b.file, b.image))
            return Fail(outDir + "/" + b.file);
    for (const NamedFont& f : AllFonts())
        if (!WriteFontGrid(f.style, outDir + "/" + f.file))
            return Fail(outDir + "/" + f.file);
    if (!WriteFontGrid({DEJAVU_BOLD, 16, 0.0}, gameFontPath))
        return Fail(gameFontPath);
    if (!WriteContactSheet(bitmaps, outDir + "/contact_sheet.png"))
        return Fail(outDir + "/contact_sheet.png");
    return true;
}

// The desktop icons, pesko-SIZE.png, at the sizes desktops ask for, and the
// window's icon, pesko_icon.xpm.
bool WriteIcons(const std::string& outDir)
{
    for (int size : {16, 32, 48, 64, 128, 256}) {
        std::string path = outDir + "/pesko-" + std::to_string(size) + ".png";
        if (!WriteIcon(size, path))
            return Fail(path);
    }
    if (!WriteXpm(outDir + "/pesko_icon.xpm", "pesko_icon_xpm", MakeWindowIcon()))
        return Fail(outDir + "/pesko_icon.xpm");
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--icons")
        return WriteIcons(argv[2]) ? 0 : 1;
    if (argc != 3) {
        fprintf(stderr, "usage: pesko-art OUT_DIR GAME_FONT_PATH\n       pesko-art --icons OUT_DIR\n");
        return 2;
    }
    return WriteEverything(argv[1], argv[2]) ? 0 : 1;
}
