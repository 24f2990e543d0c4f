#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "Framework/util/src/HText.h"

TEST( HTextTest, CopyIsBoundedAndAlwaysTerminated )
{
    char buffer[ 5 ];
    std::memset( buffer, 'x', sizeof( buffer ) );
    textCopy( buffer, sizeof( buffer ), "abcdefgh" );
    EXPECT_STREQ( buffer, "abcd" );
    textCopy( buffer, sizeof( buffer ), "ab" );
    EXPECT_STREQ( buffer, "ab" );
    textCopy( buffer, sizeof( buffer ), nullptr );
    EXPECT_STREQ( buffer, "" );
    textCopy( buffer, 1, "abc" );
    EXPECT_STREQ( buffer, "" );
    EXPECT_EQ( textCopy( nullptr, 10, "abc" ), nullptr );
    buffer[ 0 ] = 'q';
    textCopy( buffer, 0, "abc" );
    EXPECT_EQ( buffer[ 0 ], 'q' );
}

TEST( HTextTest, EqualityIgnoresOnlyAsciiLetterCase )
{
    EXPECT_TRUE( textEqualsNoCase( "Click.WAV", "click.wav" ) );
    EXPECT_TRUE( textEqualsNoCase( "", "" ) );
    EXPECT_FALSE( textEqualsNoCase( "abc", "abcd" ) );
    EXPECT_FALSE( textEqualsNoCase( "abcd", "abc" ) );
    // '[' and '{' are not letters even though they sit 32 apart like case pairs.
    EXPECT_FALSE( textEqualsNoCase( "[", "{" ) );
    EXPECT_FALSE( textEqualsNoCase( "\xc4", "\xe4" ) );
    EXPECT_TRUE( textEqualsNoCase( nullptr, nullptr ) );
    EXPECT_FALSE( textEqualsNoCase( "a", nullptr ) );
}

TEST( HTextTest, FormatTruncatesToTheBuffer )
{
    char buffer[ 8 ];
    EXPECT_EQ( textFormat( buffer, sizeof( buffer ), "%d-%s", 42, "abcdefgh" ), 7 );
    EXPECT_STREQ( buffer, "42-abcd" );
    EXPECT_EQ( textFormat( buffer, sizeof( buffer ), "%s", "ok" ), 2 );
    EXPECT_STREQ( buffer, "ok" );
    EXPECT_EQ( textFormat( buffer, sizeof( buffer ), nullptr ), 0 );
    EXPECT_STREQ( buffer, "" );
}

TEST( HTextTest, ContainsIsAPlainCaseSensitiveSubstringTest )
{
    EXPECT_TRUE( textContains( "game -demo x", "-demo" ) );
    EXPECT_FALSE( textContains( "game -DEMO", "-demo" ) );
    EXPECT_TRUE( textContains( "glimmerdrop.vxz", ".vxz" ) );
    EXPECT_FALSE( textContains( nullptr, "a" ) );
    EXPECT_FALSE( textContains( "a", nullptr ) );
}
