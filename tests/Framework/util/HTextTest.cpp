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

TEST( HTextTest, LatinLettersFoldToTheirPlainLetters )
{
    struct Case
    {
        uint32_t codePoint;
        const char* kpPlain;
    };
    const Case kaCases[] = { { 0xE9, "e" },   { 0xDF, "ss" }, { 0xC6, "AE" }, { 0x142, "l" },  { 0x141, "L" },
                             { 0xC5, "A" },   { 0xF8, "o" },  { 0xDE, "TH" }, { 0x153, "oe" }, { 0x17E, "z" },
                             { 0x17F, "s" },  { 0xFF, "y" },  { 0x192, "f" },  { 0xD7, nullptr }, { 0xF7, nullptr },
                             { 'e', nullptr }, { 0xBF, nullptr }, { 0x180, nullptr }, { 0x20AC, nullptr } };
    for( const Case& test : kaCases )
    {
        const char* kpPlain = textPlainLetters( test.codePoint );
        if( test.kpPlain == nullptr )
            EXPECT_EQ( kpPlain, nullptr ) << test.codePoint;
        else
            EXPECT_STREQ( kpPlain, test.kpPlain ) << test.codePoint;
    }
    // The code page's own row, and its agreement with Latin-1 elsewhere.
    EXPECT_EQ( textCodePagePoint( 0x8C ), 0x152u );
    EXPECT_EQ( textCodePagePoint( 0x9F ), 0x178u );
    EXPECT_EQ( textCodePagePoint( 0x81 ), 0u );
    EXPECT_EQ( textCodePagePoint( 0xEB ), 0xEBu );
    EXPECT_EQ( textCodePagePoint( 'A' ), 0x41u );
}
