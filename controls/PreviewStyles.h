#pragma once

#include <QPainterPath>

// The preview's own styles in the style registry: the three title-bar
// glyph buttons, the splitter bar and the transparent memo.
class TPreviewStyles
{
public:
    // Registers the five styles; later calls change nothing.
    static void Register();

    // The glyphs, drawn in the 512 x 512 design square of TGlyphPath.
    static QPainterPath CloseGlyph();
    static QPainterPath FitGlyph();
    static QPainterPath MinimizeGlyph();
};
