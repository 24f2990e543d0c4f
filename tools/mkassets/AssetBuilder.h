#ifndef GLIMMERDROP_TOOLS_MKASSETS_ASSETBUILDER_H
#define GLIMMERDROP_TOOLS_MKASSETS_ASSETBUILDER_H

#include "tools/mkassets/ArchiveWriter.h"
#include "tools/mkassets/Canvas.h"
#include "tools/mkassets/SoundWriters.h"

#include <map>
#include <string>

// Makes every file of the manifest and hands it to the archive, in manifest order.
namespace AssetBuilder
{
constexpr int kJpegQuality = 92;

// Draws one picture of the manifest; false for a name that is no picture of ours.
bool paintPicture( const std::string& name, Canvas& out, std::string& error );
// Makes one sound of the manifest, as synthesised (before encoding).
bool makeSound( const std::string& name, SoundBuffer& out, std::string& error );
// Encodes a made file in the format its name asks for.
std::vector<uint8_t> encodePicture( const std::string& name, const Canvas& canvas );
std::vector<uint8_t> encodeSound( const std::string& name, const SoundBuffer& sound );

// Everything: pictures on this thread, sounds on a second one. Checks each picture against the
// size the manifest gives it. False with a message on the first failure.
bool buildAll( ArchiveWriter& archive, std::string& error );
} // namespace AssetBuilder

#endif
