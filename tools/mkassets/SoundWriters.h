#ifndef GLIMMERDROP_TOOLS_MKASSETS_SOUNDWRITERS_H
#define GLIMMERDROP_TOOLS_MKASSETS_SOUNDWRITERS_H

#include <cstddef>
#include <cstdint>
#include <vector>

// Sound as the synthesiser makes it: float samples, interleaved when there are two channels.
struct SoundBuffer
{
    int channels = 1;
    int rate = 22050;
    std::vector<float> samples;

    size_t frames() const { return channels > 0 ? samples.size() / size_t( channels ) : 0; }
};

namespace SoundWriters
{
// Rounds to 16 bits with clipping; the one place where float samples become integers.
std::vector<int16_t> toPCM16( const SoundBuffer& sound );
// The canonical 44-byte header the game's loader reads at fixed offsets, then the samples.
std::vector<uint8_t> encodeWAV( const SoundBuffer& sound );
// Ogg Vorbis at the given VBR quality (-0.1 to 1.0) with a fixed stream serial number, so the
// bytes are the same on every run.
std::vector<uint8_t> encodeOgg( const SoundBuffer& sound, float quality, int serial );
} // namespace SoundWriters

#endif
