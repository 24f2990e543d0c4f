#include <gtest/gtest.h>

#include <string>

#include "Game/dialogs/VXPrintableText.h"

namespace
{
std::string printable( const std::string& source, size_t size = 64 )
{
    std::string out( size, '#' );
    size_t length = makePrintable( &out[ 0 ], size, source.data(), source.size() );
    EXPECT_EQ( out[ length ], '\0' );
    return out.substr( 0, length );
}
} // namespace

TEST( PrintableText, KeepsTheFontsCharactersAndMarksTheRest )
{
    EXPECT_EQ( printable( " ~Az09" ), " ~Az09" );
    // A UTF-8 sequence of two, three or four bytes is one mark.
    EXPECT_EQ( printable( "\xC3\xA9|\xE2\x82\xAC|\xF0\x9F\x8D\xAC|" ), "?|?|?|" );
    // Single bytes of a code page: each is a character of its own.
    EXPECT_EQ( printable( "\xA3\xE9x\xFF" ), "??x?" );
    // A lead byte cut short by a plain character still shows that character.
    EXPECT_EQ( printable( "\xE2Q" ), "?Q" );
    // Control characters and delete go; a tab is a space; a line break ends the text.
    EXPECT_EQ( printable( "a\x01\x1B\x7F"
                          "b\tc\rd" ),
               "ab c" );
    EXPECT_EQ( printable( "one\ntwo" ), "one" );
}

TEST( PrintableText, StopsAtTheTerminatorTheLengthOrTheBuffer )
{
    EXPECT_EQ( printable( std::string( "ab\0cd", 5 ) ), "ab" );
    EXPECT_EQ( printable( "abcdef", 4 ), "abc" );
    char out[ 8 ] = "xxxxxxx";
    EXPECT_EQ( makePrintable( out, sizeof( out ), "abcdef", 2 ), 2u );
    EXPECT_STREQ( out, "ab" );
    EXPECT_EQ( makePrintable( out, sizeof( out ), nullptr, 10 ), 0u );
    EXPECT_STREQ( out, "" );
    EXPECT_EQ( makePrintable( out, 0, "abc", 3 ), 0u );
}
