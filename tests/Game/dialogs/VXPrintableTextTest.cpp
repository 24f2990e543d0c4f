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

TEST( PrintableText, KeepsTheFontsCharactersFoldsLatinLettersAndMarksTheRest )
{
    EXPECT_EQ( printable( " ~Az09" ), " ~Az09" );
    // A UTF-8 sequence of two, three or four bytes is one character: a letter folds, the rest is one mark.
    EXPECT_EQ( printable( "Zo\xC3\xAB|\xE2\x82\xAC|\xF0\x9F\x8D\xAC|\xC5\x82\xC3\x9F\xC3\x86" ), "Zoe|?|?|lssAE" );
    // Single bytes of the code page: each is a character of its own, its letters folded too.
    EXPECT_EQ( printable( "\xA3\xE9x\xFF\x8C\x81" ), "?exyOE?" );
    // A lead byte cut short by a plain character is a code-page letter of its own; so is an overlong form.
    EXPECT_EQ( printable( "\xE2Q\xC0\xAF" ), "aQA?" );
    // Control characters and delete go; a tab is a space; a line break ends the text.
    EXPECT_EQ( printable( "a\x01\x1B\x7F"
                          "b\tc\rd" ),
               "ab c" );
    EXPECT_EQ( printable( "one\ntwo" ), "one" );
    // A letter that folds to two does not go in half.
    EXPECT_EQ( printable( "ab\xC3\x9F", 4 ), "ab" );
}

TEST( PrintableText, TypedCharactersOfTheCodePage )
{
    struct Case
    {
        unsigned char typed;
        const char* kpShown;
    };
    const Case kaCases[] = { { 'q', "q" },  { 0xEB, "e" }, { 0xDF, "ss" }, { 0xC6, "AE" }, { 0x9C, "oe" },
                             { 0x8A, "S" }, { 0xD7, "?" }, { 0x80, "?" },  { 0x8D, "?" },  { 0xA0, "?" },
                             { 27, "" },    { 127, "" },   { 0, "" } };
    for( const Case& test : kaCases )
    {
        char letters[ kMostPrintable ];
        size_t count = printableTyped( test.typed, letters );
        EXPECT_EQ( std::string( letters, count ), test.kpShown ) << int( test.typed );
    }
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
