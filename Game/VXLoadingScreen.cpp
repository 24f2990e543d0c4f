#include "Game/VXLoadingScreen.h"

#include "Framework/graphics/HDisplayDevice.h"
#include "Game/VXDrawing.h"
#include "Game/VXSpriteTable.h"

VXLoadingScreen::VXLoadingScreen( HDisplayDevice* pDisplay, VXSpriteTable* pSprites )
    : m_pDisplay( pDisplay )
    , m_pSprites( pSprites )
    , m_started( false )
    , m_barEnd( kBarLeft )
{
}

void VXLoadingScreen::progress( float p )
{
    if( m_pDisplay == nullptr || m_pSprites == nullptr )
        return;
    if( !( p >= 0.0f ) )
        p = 0.0f;
    else if( p > 1.0f )
        p = 1.0f;

    HRect screen{ 0, 0, m_pDisplay->getScreenWidth(), m_pDisplay->getScreenHeight() };
    if( !m_started )
    {
        m_started = true;
        m_barEnd = kBarLeft;
        drawPictureClipped( m_pSprites->get( SPR_LOADING ), 0, 0, screen );
        m_pDisplay->addDirtyRect( screen );
    }

    VXSprite* pBar = m_pSprites->get( SPR_PROGRESS );
    int32_t width = pBar->isLoaded() ? pBar->getWidth() : 0;
    int32_t height = pBar->isLoaded() ? pBar->getHeight() : 0;
    int32_t end = kBarLeft + static_cast<int32_t>( static_cast<float>( width ) * p );
    if( end > m_barEnd )
    {
        HRect grown{ m_barEnd, kBarTop, end, kBarTop + height };
        drawSpriteClipped( pBar, kBarLeft, kBarTop, grown );
        m_pDisplay->addDirtyRect( grown );
        m_barEnd = end;
    }
    m_pDisplay->presentDirty();
}
