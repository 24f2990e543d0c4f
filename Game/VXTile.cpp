#include "Game/VXTile.h"

#include "Framework/util/src/HLog.h"

namespace
{
const int32_t kaScores[] = { 0, 10, 15, 20, 25, 30, 35, 40, 45, 50, 60, 70, 80, 90, 0, 100 };
}

VXTile::VXTile()
    : type( TT_BLANK )
    , animating( false )
    , animationTotal( 0 )
    , animationLeft( 0 )
    , pSprite( nullptr )
{
}

void VXTile::setAnimation( bool flag, int32_t duration )
{
    animating = flag;
    animationTotal = duration;
    animationLeft = duration;
}

float VXTile::progress() const
{
    return static_cast<float>( animationTotal - animationLeft ) / static_cast<float>( animationTotal + 1 );
}

int32_t getTileScore( int32_t type )
{
    if( type < TT_ORANGE || type > TT_WILD )
    {
        debugTrace( "getTileScore() - attempted to get score for type %d", type );
        return 0;
    }
    return kaScores[ type ];
}

int32_t getTileScore( const VXTile& tile )
{
    return getTileScore( tile.type );
}
