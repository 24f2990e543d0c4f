#ifndef GLIMMERDROP_TOOLS_MKASSETS_GLYPHSHEET_H
#define GLIMMERDROP_TOOLS_MKASSETS_GLYPHSHEET_H

#include "tools/mkassets/Canvas.h"

#include <string>

// "font.tga": the game's 8 x 12 text cells, 16 to a row, code c in column c % 16 and row
// c / 16 - 1 (codes 16 to 127). The game draws them with their alpha and ignores any text
// colour, so the colour and a dark outline are baked in.
namespace GlyphSheet
{
constexpr int kCellWidth = 8;
constexpr int kCellHeight = 12;
constexpr int kColumns = 16;
constexpr int kRows = 7;

// False with a message when FreeType cannot load the face.
bool paint( Canvas& sheet, std::string& error );
} // namespace GlyphSheet

#endif
