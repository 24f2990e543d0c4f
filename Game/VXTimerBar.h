#ifndef GLIMMERDROP_GAME_VXTIMERBAR_H
#define GLIMMERDROP_GAME_VXTIMERBAR_H

#include <cstdint>
#include <functional>

#include "Framework/graphics/HRect.h"

class VXSpriteTable;

// The level clock under the board: a bar that shortens as time runs out, with a bitten end that
// changes as it goes, blinking in the last ten seconds. Hidden means its left edge sits on its end.
class VXTimerBar
{
public:
    static const int32_t kLeft = 43;
    static const int32_t kTop = 402;

    // What one frame's update looks at.
    struct Clock
    {
        int32_t state;
        float timeLeft;
        float timeMax;
        int32_t phaseLeft;
        int32_t phaseTotal;
        int64_t now;
    };

    typedef std::function<void( const HRect& )> Invalidate;

    VXTimerBar();

    // Back to the constructed bar: hidden at the left edge, the first bites.
    void reset();
    // The bar's picture sizes, known once the sprites are loaded (not owned).
    void setSprites( VXSpriteTable* pSprites ) { m_pSprites = pSprites; }

    // Moves the end and the bites for this frame and marks what changed.
    void update( const Clock& clock, const Invalidate& invalidate );
    // Milliseconds until the running clock changes the bar (its end, its bites, its blink) or
    // runs out; at least 1.
    uint32_t untilNextChange( const Clock& clock ) const;
    // "timer.tga" up to the end, then the bites; nothing while hidden.
    void draw( const HRect& clip ) const;

    HRect getRect() const { return { m_left, kTop, m_end, kTop + m_height() }; }
    int32_t getEnd() const { return m_end; }
    int32_t getBitesFrame() const { return m_bitesFrame; }
    bool isHidden() const { return m_left == m_end; }

private:
    int32_t m_width() const;
    int32_t m_height() const;
    int32_t m_bitesWidth( int frame ) const;

    VXSpriteTable* m_pSprites;
    int32_t m_left;
    int32_t m_end;
    int32_t m_bitesFrame;
};

#endif
