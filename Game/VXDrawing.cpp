#include "Game/VXDrawing.h"

#include "Framework/graphics/HBlitter.h"
#include "Framework/graphics/VXSprite.h"

bool rectsOverlap( const HRect& a, const HRect& b )
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

HRect rectIntersection( const HRect& a, const HRect& b )
{
    if( !rectsOverlap( a, b ) )
        return { 0, 0, 0, 0 };
    return { a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top,
             a.right < b.right ? a.right : b.right, a.bottom < b.bottom ? a.bottom : b.bottom };
}

HRect rectUnion( const HRect& a, const HRect& b )
{
    if( a.width() <= 0 || a.height() <= 0 )
        return b;
    if( b.width() <= 0 || b.height() <= 0 )
        return a;
    return { a.left < b.left ? a.left : b.left, a.top < b.top ? a.top : b.top,
             a.right > b.right ? a.right : b.right, a.bottom > b.bottom ? a.bottom : b.bottom };
}

void drawSpriteClipped( VXSprite* pSprite, int32_t x, int32_t y, const HRect& clip, bool blended )
{
    if( pSprite == nullptr || !pSprite->isLoaded() )
        return;
    HRect place{ x, y, x + pSprite->getWidth(), y + pSprite->getHeight() };
    HRect dest = rectIntersection( place, clip );
    if( dest.width() <= 0 || dest.height() <= 0 )
        return;
    HRect src{ dest.left - x, dest.top - y, dest.right - x, dest.bottom - y };
    if( blended )
        pSprite->blendDraw( dest, src, BA_MASK, BP_ONE, 0, 255, BA_INV_MASK, BP_ONE, 0, 255, BO_ADD );
    else
        pSprite->draw( dest, src );
}

void drawPictureClipped( VXSprite* pSprite, int32_t x, int32_t y, const HRect& clip )
{
    drawSpriteClipped( pSprite, x, y, clip, false );
}
