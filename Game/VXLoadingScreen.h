#ifndef GLIMMERDROP_GAME_VXLOADINGSCREEN_H
#define GLIMMERDROP_GAME_VXLOADINGSCREEN_H

#include <cstdint>

class HDisplayDevice;
class VXSpriteTable;

// The picture shown while start-up loads the game, with a bar that fills as it goes. It draws and
// presents straight to the display, as the main loop is not running yet.
class VXLoadingScreen
{
public:
    static const int32_t kBarLeft = 63;
    static const int32_t kBarTop = 350;

    // Both not owned; "loading.jpg" and "progress.tga" are expected loaded in the table.
    VXLoadingScreen( HDisplayDevice* pDisplay, VXSpriteTable* pSprites );

    // Shows progress p (held to 0..1); the first call puts up the picture and an empty bar.
    // The bar never moves back.
    void progress( float p );

    int32_t getBarEnd() const { return m_barEnd; }

private:
    HDisplayDevice* m_pDisplay;
    VXSpriteTable* m_pSprites;
    bool m_started;
    int32_t m_barEnd;
};

#endif
