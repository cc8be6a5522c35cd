#include "fonts.h"
#include "image.h"
#include <cairo-ft.h>
#include <cmath>
#include <cstdio>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace {

constexpr int FIRST_CHAR = 32;
constexpr int LAST_CHAR = 126;
constexpr int GLYPHS_PER_ROW = 16;
constexpr uint8_t INDEX_BACKGROUND = 0;
constexpr uint8_t INDEX_GLYPH = 1;
constexpr uint8_t INDEX_SEPARATOR = 255;
// Coverage a pixel needs to belong to a glyph once the font is one-coloured.
constexpr int GLYPH_COVERAGE = 100;

struct Glyph {
    int width = 0;
    std::vector<uint8_t> coverage;  // width x cell height, 0-255
};

FT_Library SharedFreeType()
{
    static FT_Library library = nullptr;
    if (!library && FT_Init_FreeType(&library) != 0)
        library = nullptr;
    return library;
}

void ReleaseFtFace(void* face) { FT_Done_Face(static_cast<FT_Face>(face)); }

// A TrueType face for cairo. Cairo may keep the face in its caches after we
// let go, so the FreeType face is freed by cairo itself when it drops it.
struct FontFace {
    cairo_font_face_t* cairoFace = nullptr;

    explicit FontFace(const char* path)
    {
        static const cairo_user_data_key_t key = {};
        FT_Face face = nullptr;
        if (!SharedFreeType() || FT_New_Face(SharedFreeType(), path, 0, &face) != 0)
            return;
        cairoFace = cairo_ft_font_face_create_for_ft_face(face, 0);
        if (cairo_font_face_set_user_data(cairoFace, &key, face, ReleaseFtFace) != CAIRO_STATUS_SUCCESS) {
            cairo_font_face_destroy(cairoFace);
            FT_Done_Face(face);
            cairoFace = nullptr;
        }
    }
    ~FontFace()
    {
        if (cairoFace)
            cairo_font_face_destroy(cairoFace);
    }
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;
};

void SelectFace(cairo_t* cr, const FontFace& face, double size, double widthScale = 1.0)
{
    cairo_set_font_face(cr, face.cairoFace);
    cairo_matrix_t matrix;
    cairo_matrix_init_scale(&matrix, size * widthScale, size);
    cairo_set_font_matrix(cr, &matrix);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

// Font size whose ascent plus descent (plus the emboldening) fills the cell.
double SizeForCell(const FontFace& face, const FontStyle& style, double* ascent)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_A8, 8, 8);
    cairo_t* cr = cairo_create(s);
    SelectFace(cr, face, 100.0);
    cairo_font_extents_t fe;
    cairo_font_extents(cr, &fe);
    double size = (style.cellHeight - style.embolden) * 100.0 / (fe.ascent + fe.descent);
    SelectFace(cr, face, size);
    cairo_font_extents(cr, &fe);
    *ascent = fe.ascent + style.embolden / 2;
    cairo_destroy(cr);
    cairo_surface_destroy(s);
    return size;
}

// Sans-serif I and l are the same bar, and i's dot closes on its stem at small
// sizes: I gets slab serifs, and i and j are drawn as the face's dotless letters
// with a dot of our own, set off by a gap that the emboldening cannot close. A
// foot on l was tried and read as a small capital L. What the serifs add.
struct LetterMarks {
    double left = 0, right = 0;  // extra advance on each side
};

LetterMarks MarksFor(char c, const cairo_text_extents_t& ink)
{
    if (c == 'I')
        return {ink.width * 0.6, ink.width * 0.6};
    return {};
}

// The text drawn for a character: i and j without their dots (UTF-8).
const char* PathText(const char* single)
{
    if (single[0] == 'i')
        return "\xC4\xB1";
    if (single[0] == 'j')
        return "\xC8\xB7";
    return single;
}

// Adds the serifs of I or the dot of i and j to the current path,
// the glyph's origin at (x, y). `ink` is the box of the letter as drawn by PathText.
void AddMarks(cairo_t* cr, char c, const cairo_text_extents_t& ink, double x, double y, double gap)
{
    if (c == 'i' || c == 'j') {
        // A square dot as wide as the stem (i's is the whole box, j's its right end).
        const double stem = c == 'i' ? ink.width : ink.width * 0.55;
        const double dotBottom = y + ink.y_bearing - gap;
        cairo_rectangle(cr, x + ink.x_bearing + ink.width - stem, dotBottom - stem, stem, stem);
        return;
    }
    const double left = x + ink.x_bearing, top = y + ink.y_bearing, bottom = top + ink.height;
    const double bar = ink.width * 0.55;
    if (c == 'I') {
        const double out = ink.width * 0.6;
        cairo_rectangle(cr, left - out, top, ink.width + 2 * out, bar);
        cairo_rectangle(cr, left - out, bottom - bar, ink.width + 2 * out, bar);
    }
}

Glyph RenderGlyph(const FontFace& face, const FontStyle& style, double size, double ascent, char c)
{
    const char single[2] = {c, 0};
    const char* text = PathText(single);
    cairo_surface_t* probe = cairo_image_surface_create(CAIRO_FORMAT_A8, 8, 8);
    cairo_t* pcr = cairo_create(probe);
    SelectFace(pcr, face, size, style.widthScale);
    cairo_text_extents_t te;
    cairo_text_extents(pcr, text, &te);
    cairo_text_extents_t dotted;  // the face's own advance, dot or no dot
    cairo_text_extents(pcr, single, &dotted);
    cairo_destroy(pcr);
    cairo_surface_destroy(probe);

    const LetterMarks marks = MarksFor(c, te);
    Glyph g;
    g.width = std::max(1, int(std::lround(dotted.x_advance + marks.left + marks.right + style.embolden)));
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_A8, g.width, style.cellHeight);
    cairo_t* cr = cairo_create(s);
    SelectFace(cr, face, size, style.widthScale);
    const double x = style.embolden / 2 + marks.left;
    cairo_move_to(cr, x, ascent);
    cairo_text_path(cr, text);
    // Two rows of gap at least, more in big fonts, plus what the stroke takes from it.
    AddMarks(cr, c, te, x, ascent, std::max(2.0, style.cellHeight / 12.0) + style.embolden);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_fill_preserve(cr);
    if (style.embolden > 0) {
        cairo_set_line_width(cr, style.embolden);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
    }
    cairo_destroy(cr);
    cairo_surface_flush(s);
    const unsigned char* data = cairo_image_surface_get_data(s);
    int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < style.cellHeight; y++)
        for (int x = 0; x < g.width; x++)
            g.coverage.push_back(data[y * stride + x]);
    cairo_surface_destroy(s);
    return g;
}

std::vector<uint8_t> FontPalette()
{
    std::vector<uint8_t> pal(768, 0);
    pal[INDEX_GLYPH * 3 + 0] = pal[INDEX_GLYPH * 3 + 1] = pal[INDEX_GLYPH * 3 + 2] = 255;
    pal[INDEX_SEPARATOR * 3 + 0] = pal[INDEX_SEPARATOR * 3 + 1] = 255;
    return pal;
}

}  // namespace

bool WriteFontGrid(const FontStyle& style, const std::string& pcxPath)
{
    FontFace face(style.ttfPath);
    if (!face.cairoFace) {
        fprintf(stderr, "pesko-art: cannot open font %s\n", style.ttfPath);
        return false;
    }
    double ascent = 0;
    double size = SizeForCell(face, style, &ascent);
    std::vector<Glyph> glyphs;
    for (int c = FIRST_CHAR; c <= LAST_CHAR; c++)
        glyphs.push_back(RenderGlyph(face, style, size, ascent, char(c)));

    // Rows of glyphs, each glyph boxed by one pixel of separator colour.
    int rows = (int(glyphs.size()) + GLYPHS_PER_ROW - 1) / GLYPHS_PER_ROW;
    int width = 1;
    for (int r = 0; r < rows; r++) {
        int rowWidth = 1;
        for (int i = r * GLYPHS_PER_ROW; i < std::min<int>(glyphs.size(), (r + 1) * GLYPHS_PER_ROW); i++)
            rowWidth += glyphs[i].width + 1;
        width = std::max(width, rowWidth);
    }
    int height = rows * (style.cellHeight + 1) + 1;
    std::vector<uint8_t> indices(size_t(width) * height, INDEX_SEPARATOR);
    for (size_t i = 0; i < glyphs.size(); i++) {
        int x0 = 1, y0 = 1 + int(i / GLYPHS_PER_ROW) * (style.cellHeight + 1);
        for (size_t k = i - i % GLYPHS_PER_ROW; k < i; k++)
            x0 += glyphs[k].width + 1;
        const Glyph& g = glyphs[i];
        for (int y = 0; y < style.cellHeight; y++)
            for (int x = 0; x < g.width; x++)
                indices[size_t(y0 + y) * width + x0 + x] =
                    g.coverage[size_t(y) * g.width + x] >= GLYPH_COVERAGE ? INDEX_GLYPH : INDEX_BACKGROUND;
    }
    return WritePcx8(pcxPath, width, height, indices, FontPalette());
}
