#ifndef GLIMMERDROP_TOOLS_MKASSETS_IMAGEWRITERS_H
#define GLIMMERDROP_TOOLS_MKASSETS_IMAGEWRITERS_H

#include "tools/mkassets/Canvas.h"

#include <cstdint>
#include <string>
#include <vector>

// The two picture formats of the archive. The game's TGA loader takes rows bottom-up whatever the
// descriptor says and turns pure magenta into a hole, so the writer stores rows bottom-up and
// nudges any visible magenta pixel off that key.
namespace ImageWriters
{
std::vector<uint8_t> encodeTGA( const Canvas& canvas );
// Baseline JPEG, 4:4:4 so thin coloured text keeps its colour.
std::vector<uint8_t> encodeJPEG( const Canvas& canvas, int quality );
// An 8-bit RGB or RGBA PNG, for previews and documentation only.
bool writePNG( const Canvas& canvas, const std::string& path );
} // namespace ImageWriters

#endif
