#include <gtest/gtest.h>

#include <string>

#include "Framework/application/HRandom.h"
#include "Game/VXBoard.h"
#include "tests/support/RecordingProcessServices.h"

namespace
{
const int32_t B = TT_BLANK;
const int32_t O = TT_ORANGE;
const int32_t Y = TT_YELLOW;
const int32_t P = TT_PURPLE;
const int32_t R = TT_RED;
const int32_t G = TT_GREEN;
const int32_t J = TT_BLACK_JELLYBEAN;
const int32_t W = TT_WILD;

typedef int32_t Layout[ 6 ][ 6 ];

// A board with no complete line: rows cycle through three kinds, columns through all three too.
const Layout kPlain = {
    { B, Y, P, O, Y, P }, { P, O, Y, P, O, Y }, { Y, P, O, Y, P, O },
    { O, Y, P, O, Y, P }, { P, O, Y, P, O, Y }, { Y, P, O, Y, P, O },
};

class VXBoardRulesTest : public ::testing::Test
{
protected:
    VXBoardRulesTest()
    {
        random.seed( 1234 );
        board.setRandom( &random );
        board.setupLevel( 3, 0, 0, false );
        load( kPlain );
    }

    void load( const Layout& layout )
    {
        for( int y = 0; y < 6; ++y )
            for( int x = 0; x < 6; ++x )
            {
                VXTile tile;
                tile.type = layout[ y ][ x ];
                board.setCell( x, y, tile );
            }
        board.m_findBlankSpace();
    }

    void setPreviews( int32_t type )
    {
        VXTile tile;
        tile.type = type;
        for( int i = 0; i < 6; ++i )
        {
            board.setTopPreview( i, tile );
            board.setLeftPreview( i, tile );
        }
    }

    void setRow( int y, std::initializer_list<int32_t> types )
    {
        int x = 0;
        for( int32_t type : types )
            board.setCellType( x++, y, type );
    }

    void setColumn( int x, std::initializer_list<int32_t> types )
    {
        int y = 0;
        for( int32_t type : types )
            board.setCellType( x, y++, type );
    }

    std::string row( int y ) const
    {
        std::string text;
        for( int x = 0; x < 6; ++x )
            text += letter( board.getCell( x, y ).type );
        return text;
    }

    std::string column( int x ) const
    {
        std::string text;
        for( int y = 0; y < 6; ++y )
            text += letter( board.getCell( x, y ).type );
        return text;
    }

    static char letter( int32_t type )
    {
        switch( type )
        {
        case TT_BLANK:
            return '.';
        case TT_ORANGE:
            return 'O';
        case TT_YELLOW:
            return 'Y';
        case TT_PURPLE:
            return 'P';
        case TT_RED:
            return 'R';
        case TT_GREEN:
            return 'G';
        case TT_BLACK_JELLYBEAN:
            return 'J';
        case TT_WILD:
            return 'W';
        case TT_CLEARED:
            return 'x';
        default:
            return '?';
        }
    }

    int crunch() { return board.crunchStep( &lines, &scoreSum, &wildArrived, &jellybeanCrunched ); }

    HRandom random;
    VXBoard board;
    int32_t lines = -1;
    int32_t scoreSum = -1;
    bool wildArrived = true;
    bool jellybeanCrunched = true;
};
}

TEST_F( VXBoardRulesTest, MoveCodesForEveryKindOfTarget )
{
    EXPECT_EQ( board.getBlankPosition().x, 0 );
    EXPECT_EQ( board.checkMove( 0, 0 ), MR_NO_MOVE ); // the blank itself
    EXPECT_EQ( board.checkMove( 1, 1 ), MR_NO_MOVE ); // diagonal
    EXPECT_EQ( board.checkMove( 4, 2 ), MR_NO_MOVE ); // neither row nor column
    EXPECT_EQ( board.checkMove( -1, 0 ), MR_NO_MOVE );
    EXPECT_EQ( board.checkMove( 6, 0 ), MR_NO_MOVE );
    EXPECT_EQ( board.checkMove( 0, 6 ), MR_NO_MOVE );
    EXPECT_EQ( board.checkMove( 0, -1 ), MR_NO_MOVE );
    EXPECT_EQ( board.checkMove( 5, 0 ), MR_LEGAL );
    EXPECT_EQ( board.checkMove( 0, 5 ), MR_LEGAL );

    board.setCellType( 3, 0, J );
    EXPECT_EQ( board.checkMove( 2, 0 ), MR_LEGAL );   // short of the jellybean
    EXPECT_EQ( board.checkMove( 3, 0 ), MR_BLOCKED ); // on the target
    EXPECT_EQ( board.checkMove( 5, 0 ), MR_BLOCKED ); // on the way
    board.setCellType( 0, 4, J );
    EXPECT_EQ( board.checkMove( 0, 3 ), MR_LEGAL );
    EXPECT_EQ( board.checkMove( 0, 5 ), MR_BLOCKED );
}

TEST_F( VXBoardRulesTest, ABlockedOrImpossibleMoveChangesNothing )
{
    board.setCellType( 2, 0, J );
    HPoint previous = { -9, -9 };
    std::string before = row( 0 );
    EXPECT_EQ( board.tryMove( 4, 0, &previous ), MR_BLOCKED );
    EXPECT_EQ( board.tryMove( 3, 3, &previous ), MR_NO_MOVE );
    EXPECT_EQ( row( 0 ), before );
    EXPECT_EQ( previous.x, -9 );
    EXPECT_EQ( board.getBlankPosition().x, 0 );
}

TEST_F( VXBoardRulesTest, AMoveAlongTheRowShiftsEveryTileBetween )
{
    VXTile marked = board.getCell( 5, 0 );
    marked.setAnimation( true, 77 );
    board.setCell( 5, 0, marked );
    HPoint previous = { -1, -1 };
    EXPECT_EQ( board.tryMove( 5, 0, &previous ), MR_LEGAL );
    EXPECT_EQ( previous.x, 0 );
    EXPECT_EQ( previous.y, 0 );
    EXPECT_EQ( row( 0 ), "YPOYP." );
    EXPECT_EQ( board.getBlankPosition().x, 5 );
    EXPECT_EQ( board.getBlankPosition().y, 0 );
    // Tiles move as whole records.
    EXPECT_EQ( board.getCell( 4, 0 ).animationTotal, 77 );

    // And back the other way, one step only.
    EXPECT_EQ( board.tryMove( 4, 0, &previous ), MR_LEGAL );
    EXPECT_EQ( previous.x, 5 );
    EXPECT_EQ( row( 0 ), "YPOY.P" );
}

TEST_F( VXBoardRulesTest, AMoveAlongTheColumnGoesEitherWay )
{
    HPoint previous;
    EXPECT_EQ( board.tryMove( 0, 3, &previous ), MR_LEGAL );
    EXPECT_EQ( column( 0 ), "PYO.PY" );
    EXPECT_EQ( board.tryMove( 0, 1, &previous ), MR_LEGAL );
    EXPECT_EQ( previous.y, 3 );
    EXPECT_EQ( column( 0 ), "P.YOPY" );
    EXPECT_EQ( board.getBlankPosition().y, 1 );
}

TEST_F( VXBoardRulesTest, TheLineTestCases )
{
    struct Case
    {
        std::initializer_list<int32_t> cells;
        bool complete;
        const char* kpWhat;
    };
    const Case kaCases[] = {
        { { R, R, R, R, R, R }, true, "six of a kind" },
        { { R, R, R, W, R, R }, true, "five reds and a wild" },
        { { R, W, R, J, R, R }, true, "four reds, a wild and a jellybean" },
        { { R, R, J, R, R, R }, false, "five reds and a jellybean" },
        { { W, W, W, W, W, W }, false, "six wilds" },
        { { J, J, J, J, J, J }, true, "six jellybeans" },
        { { W, J, J, J, J, J }, false, "a wild with only jellybeans" },
        { { B, W, W, W, W, W }, true, "the blank and five wilds" },
        { { W, J, B, W, J, W }, true, "the blank, wilds and jellybeans" },
        { { B, J, J, J, J, J }, false, "the blank and five jellybeans" },
        { { R, R, R, G, R, R }, false, "two kinds" },
        { { R, R, B, R, R, R }, false, "the blank among reds" },
    };
    for( const Case& test : kaCases )
    {
        setRow( 2, test.cells );
        EXPECT_EQ( board.isRowComplete( 2 ), test.complete ) << test.kpWhat;
        load( kPlain );
        setColumn( 3, test.cells );
        EXPECT_EQ( board.isColumnComplete( 3 ), test.complete ) << test.kpWhat;
        load( kPlain );
    }
}

TEST_F( VXBoardRulesTest, ALineStartingWithAClearedOrAnimatingCellIsNotComplete )
{
    setRow( 2, { R, R, R, R, R, R } );
    VXTile first = board.getCell( 0, 2 );
    first.setAnimation( true, 256 );
    board.setCell( 0, 2, first );
    EXPECT_FALSE( board.isRowComplete( 2 ) );
    // Only the first cell is looked at for animation.
    first.resetAnimation();
    board.setCell( 0, 2, first );
    VXTile later = board.getCell( 4, 2 );
    later.setAnimation( true, 256 );
    board.setCell( 4, 2, later );
    EXPECT_TRUE( board.isRowComplete( 2 ) );
    board.setCellType( 0, 2, TT_CLEARED );
    EXPECT_FALSE( board.isRowComplete( 2 ) );
    // A cleared cell further along must not overrun the counters.
    board.setCellType( 0, 2, R );
    board.setCellType( 3, 2, TT_CLEARED );
    EXPECT_FALSE( board.isRowComplete( 2 ) );
    board.setCellType( 3, 2, 77 );
    EXPECT_FALSE( board.isRowComplete( 2 ) );
}

TEST_F( VXBoardRulesTest, ARowAndAColumnTogetherScoreTheSharedCellTwice )
{
    setRow( 3, { R, R, R, R, R, R } );
    setColumn( 4, { R, R, R, R, R, R } );
    setRow( 1, { G, G, G, G, R, G } ); // not complete: the shared cell is red
    int32_t sum = 0;
    EXPECT_EQ( board.findCompleteLines( &sum ), 2 );
    EXPECT_EQ( sum, 12 * 25 );
    EXPECT_EQ( board.getCrunchedRow( 0 ), 3 );
    EXPECT_EQ( board.getCrunchedRow( 1 ), -1 );
    EXPECT_EQ( board.getCrunchedColumn( 0 ), 4 );
    EXPECT_EQ( board.getCrunchedColumn( 1 ), -1 );

    // Lists are ascending and padded.
    setRow( 2, { R, R, W, R, R, R } );
    EXPECT_EQ( board.findCompleteLines( &sum ), 3 );
    EXPECT_EQ( board.getCrunchedRow( 0 ), 2 );
    EXPECT_EQ( board.getCrunchedRow( 1 ), 3 );
    EXPECT_EQ( board.getCrunchedRow( 2 ), -1 );
}

TEST_F( VXBoardRulesTest, NothingToDoOnAPlainBoard )
{
    EXPECT_EQ( crunch(), CR_NOTHING );
    EXPECT_EQ( lines, 0 );
    EXPECT_EQ( scoreSum, 0 );
    EXPECT_FALSE( wildArrived );
    EXPECT_FALSE( jellybeanCrunched );
}

TEST_F( VXBoardRulesTest, ACrunchedRowFallsAndTheTopPreviewsEnter )
{
    setPreviews( G );
    setRow( 4, { R, R, R, R, R, R } );
    std::string above3 = row( 3 );
    std::string above0 = row( 0 );
    EXPECT_EQ( crunch(), CR_CRUNCHING );
    EXPECT_EQ( lines, 1 );
    EXPECT_EQ( scoreSum, 6 * 25 );
    EXPECT_FALSE( jellybeanCrunched );
    for( int x = 0; x < 6; ++x )
    {
        EXPECT_TRUE( board.getCell( x, 4 ).isAnimating() );
        EXPECT_EQ( board.getCell( x, 4 ).animationTotal, 256 );
        EXPECT_FALSE( board.getCell( x, 3 ).isAnimating() );
    }

    EXPECT_EQ( crunch(), CR_REFILLED );
    EXPECT_EQ( lines, 0 );
    EXPECT_EQ( row( 4 ), above3 );
    EXPECT_EQ( row( 1 ), above0 );
    EXPECT_EQ( row( 0 ), "GGGGGG" );
    EXPECT_EQ( board.getBlankPosition().x, 0 );
    EXPECT_EQ( board.getBlankPosition().y, 1 ); // carried down with its column
    EXPECT_EQ( board.getCell( 0, 1 ).type, TT_BLANK );
    for( int x = 0; x < 6; ++x )
    {
        EXPECT_FALSE( board.getCell( x, 4 ).isAnimating() );
        // Each preview was dealt again after it entered.
        EXPECT_NE( board.getTopPreview( x ).type, TT_CLEARED );
    }
    EXPECT_FALSE( wildArrived );
}

TEST_F( VXBoardRulesTest, TwoRowsAtOnceTakeTwoPreviewsPerColumnTheFirstLandingLower )
{
    setRow( 4, { R, R, R, R, R, R } );
    setRow( 5, { G, G, G, G, G, G } );
    VXTile first;
    first.type = TT_CHERRIES; // easy to spot
    for( int x = 0; x < 6; ++x )
        board.setTopPreview( x, first );
    std::string row0 = row( 0 );
    std::string row3 = row( 3 );
    EXPECT_EQ( crunch(), CR_CRUNCHING );
    EXPECT_EQ( lines, 2 );
    EXPECT_EQ( scoreSum, 6 * 25 + 6 * 30 );
    EXPECT_EQ( crunch(), CR_REFILLED );
    EXPECT_EQ( row( 5 ), row3 );
    EXPECT_EQ( row( 2 ), row0.replace( 0, 1, "." ) );
    for( int x = 0; x < 6; ++x )
    {
        EXPECT_EQ( board.getCell( x, 1 ).type, TT_CHERRIES ) << x;
        EXPECT_GE( board.getCell( x, 0 ).type, TT_ORANGE );
        EXPECT_LE( board.getCell( x, 0 ).type, TT_PURPLE );
    }
}

TEST_F( VXBoardRulesTest, ACrunchedColumnMovesRightAndTheLeftPreviewsEnter )
{
    setPreviews( G );
    setColumn( 3, { R, R, R, R, R, R } );
    std::string column2 = column( 2 );
    std::string column0 = column( 0 );
    EXPECT_EQ( crunch(), CR_CRUNCHING );
    EXPECT_EQ( crunch(), CR_REFILLED );
    EXPECT_EQ( column( 3 ), column2 );
    EXPECT_EQ( column( 1 ), column0 );
    EXPECT_EQ( column( 0 ), "GGGGGG" );
    EXPECT_EQ( board.getBlankPosition().x, 1 );
    EXPECT_EQ( board.getBlankPosition().y, 0 );
}

TEST_F( VXBoardRulesTest, ARowAndAColumnTogetherRefillByRowsOnly )
{
    setPreviews( G );
    setRow( 4, { R, R, R, R, R, R } );
    setColumn( 2, { R, R, R, R, R, R } );
    EXPECT_EQ( crunch(), CR_CRUNCHING );
    EXPECT_EQ( lines, 2 );
    EXPECT_EQ( scoreSum, 12 * 25 );
    EXPECT_EQ( crunch(), CR_REFILLED );
    // Column 2 lost all six cells and took six top previews, the first (green) landing lowest;
    // every other column lost one and took its green preview at the top.
    std::string refilled = column( 2 );
    EXPECT_EQ( refilled[ 5 ], 'G' );
    EXPECT_EQ( refilled.find_first_of( "xR" ), std::string::npos ) << refilled;
    for( int x = 0; x < 6; ++x )
    {
        if( x == 2 )
            continue;
        EXPECT_EQ( board.getCell( x, 0 ).type, G ) << x;
        EXPECT_NE( board.getCell( x, 1 ).type, G ) << x;
    }
    // The left previews were not touched.
    for( int y = 0; y < 6; ++y )
        EXPECT_EQ( board.getLeftPreview( y ).type, G );
}

TEST_F( VXBoardRulesTest, TheBlankStaysWhenItsLineIsCrunched )
{
    setPreviews( P );
    setRow( 0, { B, W, W, W, W, W } );
    EXPECT_EQ( crunch(), CR_CRUNCHING );
    EXPECT_EQ( lines, 1 );
    EXPECT_EQ( scoreSum, 500 );
    EXPECT_FALSE( board.getCell( 0, 0 ).isAnimating() );
    EXPECT_EQ( crunch(), CR_REFILLED );
    EXPECT_EQ( board.getCell( 0, 0 ).type, TT_BLANK );
    EXPECT_EQ( row( 0 ), ".PPPPP" );
}

TEST_F( VXBoardRulesTest, JellybeansAndWildsAreReported )
{
    VXTile wild;
    wild.type = W;
    board.setTopPreview( 3, wild );
    setRow( 5, { R, J, W, R, R, R } );
    EXPECT_EQ( crunch(), CR_CRUNCHING );
    EXPECT_TRUE( jellybeanCrunched );
    EXPECT_FALSE( wildArrived );
    EXPECT_EQ( scoreSum, 4 * 25 + 100 );
    EXPECT_EQ( crunch(), CR_REFILLED );
    EXPECT_TRUE( wildArrived );
    EXPECT_FALSE( jellybeanCrunched );
    EXPECT_EQ( board.getCell( 3, 0 ).type, TT_WILD );
}

TEST_F( VXBoardRulesTest, ARefillThatCompletesALineStartsAChainWithoutAMove )
{
    // Row 5 crunches; column 2 above it is yellow and its preview is yellow, so the fall completes it.
    const int32_t kaPreviews[] = { O, P, Y, P, O, O };
    for( int x = 0; x < 6; ++x )
    {
        VXTile tile;
        tile.type = kaPreviews[ x ];
        board.setTopPreview( x, tile );
    }
    setRow( 5, { G, G, G, G, G, G } );
    setColumn( 2, { Y, Y, Y, Y, Y } );
    ASSERT_EQ( crunch(), CR_CRUNCHING );
    EXPECT_EQ( lines, 1 );
    EXPECT_EQ( board.getCrunchedColumn( 0 ), -1 );
    ASSERT_EQ( crunch(), CR_REFILLED );
    EXPECT_EQ( row( 0 ), "OPYPOO" );
    EXPECT_EQ( column( 2 ), "YYYYYY" );
    ASSERT_EQ( crunch(), CR_CRUNCHING );
    EXPECT_EQ( lines, 1 );
    EXPECT_EQ( scoreSum, 6 * 15 );
    EXPECT_EQ( board.getCrunchedRow( 0 ), -1 );
    EXPECT_EQ( board.getCrunchedColumn( 0 ), 2 );
}

TEST_F( VXBoardRulesTest, AWholeColumnOfClearedCellsIsRefilledFromThePreviewsInOrder )
{
    // Six rows at once cannot come from play, but the pull must still fill every cell.
    setPreviews( G );
    for( int y = 0; y < 6; ++y )
    {
        for( int x = 0; x < 6; ++x )
        {
            if( board.getCell( x, y ).type == TT_BLANK )
                continue;
            VXTile tile = board.getCell( x, y );
            tile.setAnimation( true, 256 );
            board.setCell( x, y, tile );
        }
    }
    setRow( 0, { B, W, W, W, W, W } );
    board.findCompleteLines( nullptr ); // row 0 listed: the refill goes by rows
    EXPECT_EQ( crunch(), CR_REFILLED );
    // The blank rides down to the bottom; each column's first preview lands lowest.
    std::string first = column( 0 );
    EXPECT_EQ( first.substr( 4 ), "G." );
    EXPECT_EQ( first.find_first_of( "xW" ), std::string::npos ) << first;
    for( int x = 1; x < 6; ++x )
    {
        std::string refilled = column( x );
        EXPECT_EQ( refilled[ 5 ], 'G' ) << x;
        EXPECT_EQ( refilled.find_first_of( "xW." ), std::string::npos ) << refilled;
    }
    EXPECT_EQ( board.getBlankPosition().x, 0 );
    EXPECT_EQ( board.getBlankPosition().y, 5 );
}

TEST_F( VXBoardRulesTest, ALostBlankIsPutBackInTheCorner )
{
    RecordingProcessServices services;
    board.setCellType( 0, 0, O );
    board.setCellType( 2, 3, B );
    board.m_findBlankSpace();
    EXPECT_EQ( board.getBlankPosition().x, 2 );
    EXPECT_EQ( board.getBlankPosition().y, 3 );
    board.setCellType( 2, 3, P );
    board.m_findBlankSpace();
    EXPECT_EQ( board.getBlankPosition().x, 0 );
    EXPECT_EQ( board.getCell( 0, 0 ).type, TT_BLANK );
    ASSERT_EQ( RecordingProcessServices::debugTraces().size(), 1u );
    EXPECT_EQ( RecordingProcessServices::debugTraces()[ 0 ], "m_findBlankSpace - no blank space found" );
}
