#ifndef GLIMMERDROP_TOOLS_MKASSETS_SPEECHMAKER_H
#define GLIMMERDROP_TOOLS_MKASSETS_SPEECHMAKER_H

#include "tools/mkassets/SoundWriters.h"

#include <string>
#include <vector>

// A spoken line: Debian's speech synthesiser says it, sox brightens it and gives it a little room,
// and it comes back as 22050 Hz mono samples.
namespace SpeechMaker
{
bool speak( const std::string& line, SoundBuffer& out, std::string& error );

// Reads a PCM WAV file of 16-bit samples, walking its chunks; false for anything else.
bool readWAV( const std::vector<uint8_t>& bytes, SoundBuffer& out );
} // namespace SpeechMaker

#endif
