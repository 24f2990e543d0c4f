#include <gtest/gtest.h>

#include <vector>

#include "Framework/application/HRandom.h"
#include "Game/VXBoard.h"
#include "Game/VXLevelInfo.h"
#include "tests/support/RecordingProcessServices.h"

namespace
{
int countType( const VXBoard& board, int32_t type )
{
    int count = 0;
    for( int y = 0; y < VXBoard::kSize; ++y )
        for( int x = 0; x < VXBoard::kSize; ++x )
            count += board.getCell( x, y ).type == type ? 1 : 0;
    return count;
}

bool isDealtKind( const VXBoard& board, int32_t type )
{
    return type > board.getKindOffset() && type <= board.getKindOffset() + board.getKindCount();
}

// A seed whose first random(35) is 35, the wild draw.
uint32_t seedWithWildFirst()
{
    for( uint32_t seed = 1;; ++seed )
    {
        HRandom probe;
        probe.seed( seed );
        if( probe.random( 35 ) == 35 )
            return seed;
    }
}
}

TEST( VXBoardDealTest, TheWildDrawIsMadeEvenWhenNoWildIsAllowed )
{
    uint32_t seed = seedWithWildFirst();
    HRandom random;
    HRandom mirror;
    VXBoard board;
    board.setRandom( &random );
    VXTile tile;
    tile.setAnimation( true, 99 );

    random.seed( seed );
    mirror.seed( seed );
    board.dealTile( 4, 2, tile, true );
    EXPECT_EQ( tile.type, TT_WILD );
    EXPECT_FALSE( tile.isAnimating() );
    EXPECT_EQ( tile.animationTotal, 0 );
    mirror.random( 35 );
    EXPECT_EQ( random.next(), mirror.next() ); // one draw only

    random.seed( seed );
    mirror.seed( seed );
    board.dealTile( 4, 2, tile, false );
    mirror.random( 35 );
    EXPECT_EQ( tile.type, static_cast<int32_t>( mirror.random( 3 ) ) + 3 );
    EXPECT_EQ( random.next(), mirror.next() ); // two draws
}

TEST( VXBoardDealTest, EveryLevelDealsAPlayableBoardWithItsJellybeansAndWilds )
{
    RecordingProcessServices services;
    VXLevelInfo table[ VXLevelInfo::kLevelCount ];
    VXLevelInfo::fillTable( table );
    HRandom random;
    VXBoard board;
    board.setRandom( &random );
    for( int level = 0; level < VXLevelInfo::kLevelCount; ++level )
    {
        const VXLevelInfo& row = table[ level ];
        for( uint32_t seed = 1; seed <= 40; ++seed )
        {
            random.seed( seed * 7919u + static_cast<uint32_t>( level ) );
            board.setupLevel( row.kindCount, row.kindOffset, row.jellybeanCount, false );
            SCOPED_TRACE( testing::Message() << "level " << level + 1 << " seed " << seed );

            ASSERT_EQ( board.getCell( 0, 0 ).type, TT_BLANK );
            EXPECT_EQ( board.getBlankPosition().x, 0 );
            EXPECT_EQ( board.getBlankPosition().y, 0 );
            EXPECT_EQ( countType( board, TT_BLANK ), 1 );
            EXPECT_EQ( countType( board, TT_BLACK_JELLYBEAN ), row.jellybeanCount );
            bool placesWild = row.jellybeanCount == 1 && row.kindCount == 4;
            EXPECT_EQ( countType( board, TT_WILD ), placesWild ? 1 : 0 );
            for( int y = 0; y < VXBoard::kSize; ++y )
            {
                EXPECT_FALSE( board.isRowComplete( y ) );
                EXPECT_FALSE( board.isColumnComplete( y ) );
                for( int x = 0; x < VXBoard::kSize; ++x )
                {
                    int32_t type = board.getCell( x, y ).type;
                    EXPECT_FALSE( board.getCell( x, y ).isAnimating() );
                    if( x <= 1 && y <= 1 )
                    {
                        EXPECT_TRUE( type == TT_BLANK || isDealtKind( board, type ) ) << x << "," << y;
                    }
                    if( type == TT_BLACK_JELLYBEAN && row.kindCount == 3 )
                    {
                        EXPECT_TRUE( x == 5 || y == 5 ) << x << "," << y;
                    }
                }
            }
            for( int i = 0; i < VXBoard::kSize; ++i )
            {
                for( VXTile preview : { board.getLeftPreview( i ), board.getTopPreview( i ) } )
                {
                    if( preview.type == TT_WILD )
                        EXPECT_TRUE( board.isWildAllowed() );
                    else
                        EXPECT_TRUE( isDealtKind( board, preview.type ) ) << preview.type;
                }
                EXPECT_EQ( board.getCrunchedRow( i ), -1 );
                EXPECT_EQ( board.getCrunchedColumn( i ), -1 );
            }
        }
    }
    // Levels 1, 2, 6, 10 and 14 have no jellybeans, so nothing there may ever bring a wild.
    for( int number : { 1, 2, 6, 10, 14 } )
    {
        const VXLevelInfo& row = table[ number - 1 ];
        board.setupLevel( row.kindCount, row.kindOffset, row.jellybeanCount, false );
        EXPECT_FALSE( board.isWildAllowed() ) << number;
    }
}

TEST( VXBoardDealTest, DrawsFollowTheDealingOrderOfAJellybeanLevel )
{
    // Level 7: four kinds, one jellybean, one placed wild. Replay its draws by hand.
    const uint32_t kSeed = 20240611u;
    HRandom random;
    HRandom mirror;
    random.seed( kSeed );
    VXBoard board;
    board.setRandom( &random );
    board.setupLevel( 4, 0, 1, false );

    std::vector<int32_t> cells;
    int jellyX = 0;
    int jellyY = 0;
    int wildX = 0;
    int wildY = 0;
    auto rowComplete = [ & ]( int y )
    {
        int32_t first = -1;
        bool hasWild = false;
        for( int x = 0; x < 6; ++x )
            hasWild = hasWild || cells[ y * 6 + x ] == TT_WILD;
        for( int x = 0; x < 6; ++x )
        {
            int32_t type = cells[ y * 6 + x ];
            if( type == TT_WILD || ( type == TT_BLACK_JELLYBEAN && hasWild ) )
                continue;
            if( first >= 0 && type != first )
                return false;
            first = type;
        }
        return first >= 0;
    };
    auto columnComplete = [ & ]( int x )
    {
        int32_t first = -1;
        bool hasWild = false;
        for( int y = 0; y < 6; ++y )
            hasWild = hasWild || cells[ y * 6 + x ] == TT_WILD;
        for( int y = 0; y < 6; ++y )
        {
            int32_t type = cells[ y * 6 + x ];
            if( type == TT_WILD || ( type == TT_BLACK_JELLYBEAN && hasWild ) )
                continue;
            if( first >= 0 && type != first )
                return false;
            first = type;
        }
        return first >= 0;
    };
    mirror.seed( kSeed );
    for( int tries = 0;; ++tries )
    {
        ASSERT_LT( tries, 1000 );
        cells.clear();
        for( int i = 0; i < 36; ++i )
        {
            mirror.random( 35 );
            cells.push_back( static_cast<int32_t>( mirror.random( 3 ) ) + 1 );
        }
        for( ;; )
        {
            jellyX = static_cast<int>( mirror.random( 5 ) );
            jellyY = static_cast<int>( mirror.random( 5 ) );
            if( jellyX > 1 || jellyY > 1 )
                break;
        }
        cells[ jellyY * 6 + jellyX ] = TT_BLACK_JELLYBEAN;
        for( ;; )
        {
            wildX = static_cast<int>( mirror.random( 5 ) );
            wildY = static_cast<int>( mirror.random( 5 ) );
            if( ( wildX > 1 || wildY > 1 ) && cells[ wildY * 6 + wildX ] != TT_BLACK_JELLYBEAN )
                break;
        }
        cells[ wildY * 6 + wildX ] = TT_WILD;
        cells[ 0 ] = TT_BLANK;
        bool complete = false;
        for( int i = 0; i < 6; ++i )
            complete = complete || rowComplete( i ) || columnComplete( i );
        if( !complete )
            break;
    }
    for( int y = 0; y < 6; ++y )
        for( int x = 0; x < 6; ++x )
            EXPECT_EQ( board.getCell( x, y ).type, cells[ y * 6 + x ] ) << x << "," << y;

    // Previews: left rows 0 to 5, then top columns 0 to 5, each with the wild rule.
    for( int i = 0; i < 12; ++i )
    {
        uint32_t roll = mirror.random( 35 );
        int32_t expected = roll == 35 ? TT_WILD : static_cast<int32_t>( mirror.random( 3 ) ) + 1;
        VXTile preview = i < 6 ? board.getLeftPreview( i ) : board.getTopPreview( i - 6 );
        EXPECT_EQ( preview.type, expected ) << i;
    }
    EXPECT_EQ( random.next(), mirror.next() );
}

TEST( VXBoardDealTest, TheTutorialBoardIsFixedButItsLeftPreviewsAreDealt )
{
    const int32_t kaExpected[ 6 ][ 6 ] = {
        { TT_BLANK, 1, 1, 1, 1, 1 }, { 2, 3, 3, 1, 1, 3 }, { 1, 2, 3, 3, 1, 2 },
        { 3, 2, 1, 1, 3, 1 },        { 1, 2, 3, 1, 2, 3 }, { 1, 2, 1, 3, 2, 3 },
    };
    HRandom random;
    HRandom mirror;
    random.seed( 77 );
    mirror.seed( 77 );
    VXBoard board;
    board.setRandom( &random );
    board.setupLevel( 3, 0, 0, true );
    for( int y = 0; y < 6; ++y )
        for( int x = 0; x < 6; ++x )
            EXPECT_EQ( board.getCell( x, y ).type, kaExpected[ y ][ x ] ) << x << "," << y;
    const int32_t kaTop[] = { TT_ORANGE, TT_YELLOW, TT_ORANGE, TT_PURPLE, TT_PURPLE, TT_PURPLE };
    for( int x = 0; x < 6; ++x )
        EXPECT_EQ( board.getTopPreview( x ).type, kaTop[ x ] );
    for( int y = 0; y < 6; ++y )
    {
        mirror.random( 35 );
        EXPECT_EQ( board.getLeftPreview( y ).type, static_cast<int32_t>( mirror.random( 2 ) ) + 1 );
    }
    EXPECT_EQ( random.next(), mirror.next() ); // no other draws

    // The flag alone does not make a tutorial board: only the first level's kinds do.
    random.seed( 77 );
    board.setupLevel( 3, 0, 1, true );
    EXPECT_EQ( countType( board, TT_BLACK_JELLYBEAN ), 1 );
    for( int x = 0; x < 6; ++x )
        EXPECT_EQ( board.getTopPreview( x ).type, kaTop[ x ] );
}

TEST( VXBoardDealTest, ImpossibleRequestsAreCutDownInsteadOfLoopingForever )
{
    RecordingProcessServices services;
    HRandom random;
    random.seed( 3 );
    VXBoard board;
    board.setRandom( &random );
    // Six jellybeans could fill a line on every deal; a single kind could never avoid complete lines.
    board.setupLevel( 3, 0, 40, false );
    EXPECT_EQ( countType( board, TT_BLACK_JELLYBEAN ), 5 );
    board.setupLevel( 5, 0, 6, false );
    EXPECT_EQ( countType( board, TT_BLACK_JELLYBEAN ), 5 );
    board.setupLevel( 1, 0, 0, false );
    EXPECT_EQ( board.getKindCount(), 2 );
    board.setupLevel( 6, 20, 0, false );
    EXPECT_EQ( board.getKindOffset() + board.getKindCount(), TT_WORM );
}

TEST( VXBoardDealTest, AnimationsCountDownAndStopAtZero )
{
    VXBoard board;
    board.startLevelEndAnimation();
    EXPECT_TRUE( board.getCell( 3, 3 ).isAnimating() );
    EXPECT_EQ( board.getCell( 5, 5 ).animationLeft, 512 );
    board.advanceAnimations( 500 );
    EXPECT_EQ( board.getCell( 0, 0 ).animationLeft, 12 );
    board.advanceAnimations( 30 );
    EXPECT_EQ( board.getCell( 0, 0 ).animationLeft, 0 );
    EXPECT_TRUE( board.getCell( 0, 0 ).isAnimating() );
    VXTile still;
    still.type = TT_RED;
    board.setCell( 2, 2, still );
    board.advanceAnimations( 10 );
    EXPECT_EQ( board.getCell( 2, 2 ).animationLeft, 0 );
    EXPECT_FALSE( board.getCell( 2, 2 ).isAnimating() );
}
