#ifndef GLIMMERDROP_FRAMEWORK_AUDIO_HOGGPAGECHECK_H
#define GLIMMERDROP_FRAMEWORK_AUDIO_HOGGPAGECHECK_H

#include <cstdint>

// Walks an Ogg file's pages before the decoder sees them. The Ogg library as shipped skips a
// damaged page and carries on, and some orders of skipped and foreign pages drive it into
// copying a negative length while it seeks and reads. Our sounds are whole, so anything but
// back-to-back pages with good checksums, each logical stream begun, numbered without gaps and
// ended before the next link begins, is refused. A file cut short after its first page passes:
// the decoder reads it up to the cut.
class HOggPageCheck
{
public:
    static bool isWellFormed( const uint8_t* kpData, uint32_t size );
};

#endif
