#ifndef GLIMMERDROP_TESTS_GAME_SUPPORT_SPRITEFILES_H
#define GLIMMERDROP_TESTS_GAME_SUPPORT_SPRITEFILES_H

#include <cstdint>
#include <memory>
#include <string>

#include "Framework/FileSystem/src/HStandardFileSystem.h"
#include "tests/support/TempDir.h"

// An uncompressed 32-bit TGA of one colour.
std::string solidTga( int width, int height, uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha = 255 );

// A baseline JPEG of one colour, written with libjpeg; empty if it could not be made.
std::string solidJpeg( int width, int height, uint8_t red, uint8_t green, uint8_t blue );

// A folder of pictures for the game's sprites, opened as a file system.
class SpriteFolder
{
public:
    SpriteFolder();
    ~SpriteFolder();

    void add( const std::string& name, int width, int height, uint8_t red, uint8_t green, uint8_t blue,
              uint8_t alpha = 255 );
    // A JPEG of one colour; false when it could not be made.
    bool addJpeg( const std::string& name, int width, int height, uint8_t red, uint8_t green, uint8_t blue );
    HStandardFileSystem& fileSystem() { return m_fileSystem; }
    const TempDir& dir() const { return m_dir; }

private:
    TempDir m_dir;
    HStandardFileSystem m_fileSystem;
};

#endif
