#ifndef GLIMMERDROP_TOOLS_MKASSETS_CRUNCHPAINTER_H
#define GLIMMERDROP_TOOLS_MKASSETS_CRUNCHPAINTER_H

#include "tools/mkassets/Canvas.h"

#include <string>

// The crunch: a candy swells, flashes, cracks and bursts into shards, crumbs and sparkles that
// fade inside its cell. Frames 0 to 10 follow the still tile, each shown for a twelfth of the
// animation.
namespace CrunchPainter
{
constexpr int kFrames = 11;

// A colour kind or the black jellybean bursting (its own shards), 42 x 42.
Canvas paintFrame( const std::string& word, int frame );
// The set shared by the candies: a pop of light and confetti that fits any of them.
Canvas paintGenericFrame( int frame );
// The wild's single second frame: a rainbow twinkle.
Canvas paintWildFrame();
} // namespace CrunchPainter

#endif
