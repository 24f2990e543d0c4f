#ifndef GLIMMERDROP_TESTS_SUPPORT_MEMORYDISPLAYDEVICE_H
#define GLIMMERDROP_TESTS_SUPPORT_MEMORYDISPLAYDEVICE_H

#include <vector>

#include "Framework/graphics/HDisplayDevice.h"

// A display with no window: everything of the portable base, and a record of what would have
// reached the screen. Header only, so test programs that draw link glim_graphics themselves.
class MemoryDisplayDevice : public HDisplayDevice
{
public:
    explicit MemoryDisplayDevice( HCvarManager* pCvars = nullptr )
        : HDisplayDevice( pCvars )
    {
    }

    bool shutdownScreen() override
    {
        ++shutdowns;
        return true;
    }
    void showCursor( bool show ) override { cursorCalls.push_back( show ); }
    void present( const HRect* kpRects, int32_t count ) override { presents.emplace_back( kpRects, kpRects + count ); }

    uint16_t pixel( int32_t x, int32_t y ) const { return getBackBuffer().pPixels[ y * getScreenWidth() + x ]; }

    std::vector<std::vector<HRect>> presents;
    std::vector<bool> cursorCalls;
    int shutdowns = 0;
};

#endif
