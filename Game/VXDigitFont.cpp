#include "Game/VXDigitFont.h"

#include "Framework/util/src/HText.h"
#include "Game/VXDrawing.h"
#include "Game/VXSpriteTable.h"

VXDigitFont::VXDigitFont( VXSpriteTable* pSprites )
    : m_pSprites( pSprites )
{
}

void VXDigitFont::draw( const char* kpText, int32_t anchorX, int32_t topY, const HRect& clip ) const
{
    if( kpText == nullptr || m_pSprites == nullptr )
        return;
    VXSpriteTable* pSprites = m_pSprites;
    // Glyph 10 is the comma.
    layout( kpText, anchorX, topY, [pSprites, &clip]( int glyph, int32_t x, int32_t y ) {
        if( glyph < 0 )
            return;
        int slot = glyph == 10 ? SPR_FONT_COMMA : SPR_FONT_ZERO + glyph;
        drawSpriteClipped( pSprites->get( slot ), x, y, clip );
    } );
}

void VXDigitFont::drawNumber( int32_t value, int32_t anchorX, int32_t topY, const HRect& clip ) const
{
    char text[ 16 ];
    textFormat( text, sizeof( text ), "%d", value );
    draw( text, anchorX, topY, clip );
}

int32_t VXDigitFont::digitCount( int32_t value )
{
    char text[ 16 ];
    return textFormat( text, sizeof( text ), "%d", value );
}
