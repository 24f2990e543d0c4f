#ifndef GLIMMERDROP_TESTS_SUPPORT_IMAGEFILES_H
#define GLIMMERDROP_TESTS_SUPPORT_IMAGEFILES_H

#include <cstdint>
#include <string>
#include <vector>

class HImage;

// A picture in plain RGBA bytes, rows top to bottom: what the tests write with standard tools
// and what they expect the loaders to give back.
struct RgbaPicture
{
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;

    RgbaPicture() = default;
    RgbaPicture( int w, int h )
        : width( w )
        , height( h )
        , rgba( static_cast<size_t>( w ) * h * 4, 0 )
    {
    }
    uint8_t* at( int x, int y ) { return &rgba[ ( static_cast<size_t>( y ) * width + x ) * 4 ]; }
    const uint8_t* at( int x, int y ) const { return &rgba[ ( static_cast<size_t>( y ) * width + x ) * 4 ]; }

    // A busy pattern with every channel varying, so swapped channels or rows show.
    static RgbaPicture pattern( int w, int h, bool withAlpha );
};

// Netpbm files: PPM (P6) for RGB, PAM (P7, RGB_ALPHA) when the picture has alpha.
bool writePPM( const std::string& path, const RgbaPicture& picture );
bool writePAM( const std::string& path, const RgbaPicture& picture );
// Reads P6 (RGB, alpha 255), P5 (grey) or P7 (one to four channels) with maxval 255.
bool readPNM( const std::string& path, RgbaPicture& picture );

// An uncompressed TGA written by hand: header fields as given, rows as given.
std::string tgaBytes( uint8_t imageType, int16_t width, int16_t height, uint8_t depth, const std::string& pixels,
                      const std::string& imageId = "", uint8_t colourMapType = 0, uint16_t mapEntries = 0,
                      uint8_t mapEntryBits = 0 );

// The image as RGBA bytes (for IF_ARGB32 images).
RgbaPicture pictureOf( const HImage& image );

// Runs a shell command quietly; true on exit status 0.
bool tool( const std::string& command );

// The shared corpus of other projects' files, found above the source tree; empty if absent.
std::string corpusDir();

std::string readFileBytes( const std::string& path );

#endif
