#ifndef GLIMMERDROP_TESTS_TOOLS_MKASSETS_ASSETDECODING_H
#define GLIMMERDROP_TESTS_TOOLS_MKASSETS_ASSETDECODING_H

#include <cstdint>
#include <string>
#include <vector>

// Decoders written for the tests, apart from the generator's own code, so a fault in the
// generator cannot hide itself.
namespace AssetDecoding
{
struct Picture
{
    int width = 0;
    int height = 0;
    int depth = 0;             // bits per pixel as stored
    std::vector<uint8_t> rgba; // straight alpha, rows top to bottom (TGA rows taken bottom-up)
    uint8_t pixelAlpha( int x, int y ) const { return rgba[ ( size_t( y ) * size_t( width ) + size_t( x ) ) * 4 + 3 ]; }
};

// Uncompressed true-colour TGA only (image type 2); false for anything else.
bool decodeTGA( const std::vector<uint8_t>& bytes, Picture& out );
// Any JPEG libjpeg reads, as RGB; false on the first warning or error.
bool decodeJPEG( const std::vector<uint8_t>& bytes, Picture& out );

struct Sound
{
    int channels = 0;
    int rate = 0;
    std::vector<int16_t> samples; // interleaved
    size_t frames() const { return channels > 0 ? samples.size() / size_t( channels ) : 0; }
};

// Ogg Vorbis from memory through vorbisfile; false when it cannot be opened or decoded whole.
bool decodeOgg( const std::vector<uint8_t>& bytes, Sound& out );

// How far the sample at `next` strays from a straight continuation of the two samples before
// `last`, against the same measure over the whole sound: the percentile of the join (0 to 100).
double joinPercentile( const Sound& sound, size_t last, size_t next );
// How much the `span` frames before `end` differ from the `span` frames before `loop`, in
// decibels against the first (very negative when they are the same music).
double leadInDifference( const Sound& sound, size_t end, size_t loop, size_t span );

// Every entry name of a zip archive, in order; empty when it cannot be read.
std::vector<std::string> listArchive( const std::string& path );
} // namespace AssetDecoding

#endif
