#ifndef GLIMMERDROP_TOOLS_MKASSETS_SOUNDDESIGNER_H
#define GLIMMERDROP_TOOLS_MKASSETS_SOUNDDESIGNER_H

#include "tools/mkassets/SoundWriters.h"

#include <string>

// The game's sound effects, synthesised at 22050 Hz, plus the dispatch to the theme and the
// spoken line. Samples are mono (the mixer plays mono voices on both sides); the theme is stereo
// because the music stream is mixed as stereo frames.
namespace SoundDesigner
{
bool make( const std::string& name, SoundBuffer& out, std::string& error );
// Encoder settings per file: a fixed serial number keeps the Ogg bytes the same on every run.
float qualityOf( const std::string& name );
int serialOf( const std::string& name );
} // namespace SoundDesigner

#endif
