#include "Game/VXDigitFont.h"

#include <algorithm>

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

HRect VXDigitFont::numberArea( int32_t value, int32_t anchorX, int32_t topY )
{
    char text[ 16 ];
    textFormat( text, sizeof( text ), "%d", value );
    HRect area = { anchorX, topY, anchorX + kAdvance, topY + kGlyphHeight };
    layout( text, anchorX, topY, [&area]( int glyph, int32_t x, int32_t y ) {
        int32_t width = glyph == 10 ? kCommaWidth : kAdvance;
        area = HRect{ std::min( area.left, x ), std::min( area.top, y ), std::max( area.right, x + width ),
                      std::max( area.bottom, y + kGlyphHeight ) };
    } );
    return area;
}
