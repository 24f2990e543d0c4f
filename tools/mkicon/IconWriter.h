#ifndef GLIMMERDROP_TOOLS_MKICON_ICONWRITER_H
#define GLIMMERDROP_TOOLS_MKICON_ICONWRITER_H

#include <cstdint>
#include <string>
#include <vector>

// Writes the program's window icon as a Windows icon file (.ico): one 32-bit picture with
// straight alpha per size, each stored as the system's bitmap (rows bottom-up, then a 1-bit
// mask), which every Windows version reads. Also as the PNG pictures of a desktop icon theme,
// each size painted afresh from the drawing.
class IconWriter
{
public:
    // The file's bytes for the icon painted at each size (1 to 256 pixels).
    static std::vector<uint8_t> iconFile( const std::vector<int32_t>& sizes );
    static bool write( const std::string& path, const std::vector<int32_t>& sizes );

    // An 8-bit RGBA PNG of the icon painted at the size (1 to 1024 pixels); empty on failure.
    static std::vector<uint8_t> pngFile( int32_t size );
    // "<dir>/<size>x<size>/apps/<name>.png" for each size, folders made as needed.
    static bool writeThemeIcons( const std::string& dir, const std::string& name, const std::vector<int32_t>& sizes );
};

#endif
