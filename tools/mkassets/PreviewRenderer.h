#ifndef GLIMMERDROP_TOOLS_MKASSETS_PREVIEWRENDERER_H
#define GLIMMERDROP_TOOLS_MKASSETS_PREVIEWRENDERER_H

#include "tools/mkassets/ArchiveWriter.h"

#include <cstdint>
#include <string>
#include <vector>

// Shows the archive the way the game will: every picture decoded from its file, turned into the
// game's 15-bit surface with its 2 x 2 ordered dither, and drawn with its alpha blend into a
// 640 x 480 frame at the places the game uses. Writes one PNG per screen and a montage.
namespace PreviewRenderer
{
// A 15-bit surface: red in bits 14-10, green 9-5, blue 4-0; the mask is the picture's alpha.
struct Surface
{
    int width = 0;
    int height = 0;
    std::vector<uint16_t> pixels;
    std::vector<uint8_t> mask; // empty when every pixel is opaque
};

// The game's conversion of 32-bit colour to a surface word at (x, y).
uint16_t ditherPixel( uint8_t red, uint8_t green, uint8_t blue, int x, int y );
// Decodes a TGA or JPEG file of the archive and converts it; false when it cannot be read.
bool makeSurface( const std::string& name, const std::vector<uint8_t>& bytes, Surface& out );

bool writeAll( const ArchiveWriter& archive, const std::string& folder, std::string& error );
} // namespace PreviewRenderer

#endif
