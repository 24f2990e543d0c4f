#ifndef GLIMMERDROP_TESTS_SUPPORT_SOUNDFILES_H
#define GLIMMERDROP_TESTS_SUPPORT_SOUNDFILES_H

#include <cstdint>
#include <string>
#include <vector>

// Sounds made by the tests themselves: synthesised samples, WAV files, and Ogg Vorbis files
// encoded with libvorbisenc (fixed serial number, so the bytes are reproducible).

// Interleaved 16-bit frames of a sine per channel (channel c at frequency * (c + 1)).
std::vector<int16_t> synthSine( int32_t frames, int32_t channels, int32_t rate, double frequency, double amplitude );

// A 44-byte-header WAV file; dataSizeOverride replaces the "data" size field when not negative.
std::string makeWav( const std::string& data, int32_t channels, int32_t rate, int32_t bits,
                     int64_t dataSizeOverride = -1, uint32_t formatChunkSize = 16 );
std::string bytesOf( const std::vector<int16_t>& values );

// Encodes interleaved 16-bit frames as Ogg Vorbis at the given quality (-0.1 to 1).
std::string encodeOgg( const std::vector<int16_t>& frames, int32_t channels, int32_t rate, float quality = 0.4f );

// Decodes a whole Ogg Vorbis file with vorbisfile directly (no project code): the reference.
struct StraightDecode
{
    bool ok = false;
    int32_t channels = 0;
    int32_t rate = 0;
    std::vector<int16_t> values;
};
StraightDecode decodeOggStraight( const std::string& bytes );

#endif
