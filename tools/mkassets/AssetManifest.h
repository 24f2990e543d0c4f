#ifndef GLIMMERDROP_TOOLS_MKASSETS_ASSETMANIFEST_H
#define GLIMMERDROP_TOOLS_MKASSETS_ASSETMANIFEST_H

#include <string>
#include <vector>

// Every file of the archive, with its format and, for pictures, its size.
namespace AssetManifest
{
enum Kind
{
    AK_TGA,
    AK_JPG,
    AK_WAV,
    AK_OGG,
};

struct Asset
{
    std::string name;
    Kind kind;
    int width;  // pictures only
    int height; // pictures only
};

// The colour words of the six colour kinds, in the game's code order (1 to 6).
const std::vector<std::string>& colourWords();
// The still tiles, "tile_<word>.tga", in code order 1 to 15.
const std::vector<std::string>& tileWords();

const std::vector<Asset>& all();
const Asset* find( const std::string& name );
Kind kindOf( const std::string& name );
} // namespace AssetManifest

#endif
