#ifndef GLIMMERDROP_TOOLS_MKASSETS_CANDYPAINTER_H
#define GLIMMERDROP_TOOLS_MKASSETS_CANDYPAINTER_H

#include "tools/mkassets/Canvas.h"
#include "tools/mkassets/Colour.h"

#include <string>
#include <vector>

// The fifteen tile kinds as glossy jelly candies. Each kind has its own silhouette as well as its
// own colour, so players who cannot tell the colours apart can still tell the kinds apart.
namespace CandyPainter
{
// Tiles are drawn this many times larger and then reduced, which keeps small details clean.
constexpr int kSupersample = 4;

// A kind by the word of its file name ("orange" ... "blocker", "wild"), at size x size pixels.
// Unknown words give an empty canvas.
Canvas paint( const std::string& word, int size );
// The final 42 x 42 tile.
Canvas paintTile( const std::string& word );
// Colours for the crumbs of a kind's crunch, main colour first.
std::vector<Colour> crumbColours( const std::string& word );
bool isKnown( const std::string& word );
// A four-pointed twinkle with a soft halo, in the context's current units.
void drawSparkle( cairo_t* cr, double x, double y, double size, double alpha );
} // namespace CandyPainter

#endif
