#include <gtest/gtest.h>

#include "Game/VXLevelInfo.h"
#include "Game/VXTile.h"

namespace
{
struct Table
{
    Table() { VXLevelInfo::fillTable( rows ); }
    // By level number as shown on screen.
    const VXLevelInfo& level( int number ) const { return rows[ VXLevelInfo::rowForLevel( number - 1 ) ]; }
    VXLevelInfo rows[ VXLevelInfo::kLevelCount ];
};
}

TEST( VXLevelInfoTest, KindsGrowThenTheWindowSlidesTowardTheDearerCandies )
{
    Table table;
    for( int n = 1; n <= 5; ++n )
    {
        EXPECT_EQ( table.level( n ).kindCount, 3 ) << n;
        EXPECT_EQ( table.level( n ).kindOffset, 0 ) << n;
    }
    EXPECT_EQ( table.level( 6 ).kindCount, 4 );  // red arrives
    EXPECT_EQ( table.level( 10 ).kindCount, 5 ); // green
    EXPECT_EQ( table.level( 14 ).kindCount, 6 ); // blue
    int previousTop = 0;
    for( int n = 1; n <= 38; ++n )
    {
        const VXLevelInfo& row = table.level( n );
        int top = row.kindOffset + row.kindCount;
        EXPECT_GE( top, previousTop ) << n;
        EXPECT_LE( top, TT_WORM ) << n;
        previousTop = top;
    }
    EXPECT_EQ( table.level( 36 ).kindOffset + 1, TT_CHERRIES );
    EXPECT_EQ( table.level( 38 ).kindOffset + table.level( 38 ).kindCount, TT_WORM );
}

TEST( VXLevelInfoTest, StartBonusesSitOnTheSelectableStartLevels )
{
    Table table;
    const int kaBonusLevels[] = { 6, 10, 14, 18, 22 };
    const int32_t kaBonuses[] = { 25000, 75000, 175000, 300000, 500000 };
    int found = 0;
    for( int n = 1; n <= 38; ++n )
    {
        if( table.level( n ).startBonus == 0 )
            continue;
        ASSERT_LT( found, 5 );
        EXPECT_EQ( n, kaBonusLevels[ found ] );
        EXPECT_EQ( table.level( n ).startBonus, kaBonuses[ found ] );
        ++found;
    }
    EXPECT_EQ( found, 5 );
}

TEST( VXLevelInfoTest, LevelsPastTheTableKeepItsLastRow )
{
    Table table;
    EXPECT_EQ( VXLevelInfo::rowForLevel( 37 ), 37 );
    EXPECT_EQ( VXLevelInfo::rowForLevel( 38 ), 37 );
    EXPECT_EQ( VXLevelInfo::rowForLevel( 500 ), 37 );
    EXPECT_EQ( VXLevelInfo::rowForLevel( -1 ), 0 );
    EXPECT_EQ( table.level( 39 ).levelSeconds, 36 );
    EXPECT_EQ( table.level( 39 ).linesToClear, 8 );
    EXPECT_EQ( table.level( 1 ).levelSeconds, 30000 );
    EXPECT_EQ( table.level( 1 ).linesToClear, 2 );
    EXPECT_FLOAT_EQ( table.level( 1 ).secondsPerLine, 5.0f );
}
