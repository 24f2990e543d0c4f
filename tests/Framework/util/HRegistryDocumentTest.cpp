#include <gtest/gtest.h>

#include "Framework/util/src/HRegistry.h"
#include "Framework/util/src/HRegistryDocument.h"

namespace
{
const char kKey[] = "HKEY_CURRENT_USER\\SOFTWARE\\Vantorix\\Glimmerdrop";

std::vector<uint8_t> bytes( std::initializer_list<int> values )
{
    std::vector<uint8_t> out;
    for( int v : values )
        out.push_back( static_cast<uint8_t>( v ) );
    return out;
}

std::vector<uint8_t> text( const std::string& s )
{
    std::vector<uint8_t> out( s.begin(), s.end() );
    out.push_back( 0 );
    return out;
}
}

TEST( HRegistryDocumentTest, ReadsEveryValueKindWithCrlfCommentsAndContinuations )
{
    const std::string file = "REGEDIT4\r\n"
                             "\r\n"
                             "; written by hand\r\n"
                             "[HKEY_CURRENT_USER\\SOFTWARE\\Vantorix\\Glimmerdrop]\r\n"
                             "\"resourceFile\"=\"glimmer\\\\drop \\\"x\\\".vxz\"\r\n"
                             "\"Start Level\"=hex:01,00,00,00\r\n"
                             "\"HS:0\"=hex:01,02,03,\\\r\n"
                             "  04,05\r\n"
                             "\"Count\"=dword:0000002a\r\n"
                             "@=\"default\"\r\n"
                             "\"Raw\"=hex(1):41,42,00\r\n";
    HRegistryDocument doc;
    EXPECT_TRUE( doc.parse( file ) );
    EXPECT_EQ( doc.errorCount(), 0 );
    const HRegistryValue* pValue = doc.find( kKey, "resourcefile" );
    ASSERT_NE( pValue, nullptr );
    EXPECT_EQ( pValue->type, static_cast<uint32_t>( RVT_SZ ) );
    EXPECT_EQ( pValue->data, text( "glimmer\\drop \"x\".vxz" ) );
    EXPECT_EQ( doc.find( kKey, "Start Level" )->data, bytes( { 1, 0, 0, 0 } ) );
    EXPECT_EQ( doc.find( kKey, "HS:0" )->data, bytes( { 1, 2, 3, 4, 5 } ) );
    EXPECT_EQ( doc.find( kKey, "Count" )->type, static_cast<uint32_t>( RVT_DWORD ) );
    EXPECT_EQ( doc.find( kKey, "Count" )->data, bytes( { 42, 0, 0, 0 } ) );
    EXPECT_EQ( doc.find( kKey, "" )->data, text( "default" ) );
    EXPECT_EQ( doc.find( kKey, "Raw" )->type, 1u );
    EXPECT_EQ( doc.find( kKey, "Raw" )->data, text( "AB" ) );
    EXPECT_EQ( doc.find( "hkey_current_user\\software\\vantorix\\glimmerdrop", "HS:0" ), pValue + 2 );
}

TEST( HRegistryDocumentTest, WritingThenReadingGivesBackTheSameValues )
{
    HRegistryDocument doc;
    std::vector<uint8_t> longBinary;
    for( int i = 0; i < 44; ++i )
        longBinary.push_back( static_cast<uint8_t>( i * 7 ) );
    doc.set( kKey, "HS:0", RVT_BINARY, longBinary );
    doc.set( kKey, "quote\"and\\slash", RVT_SZ, text( "C:\\games\\\"glimmer\"" ) );
    doc.set( kKey, "newline", RVT_SZ, text( "two\nlines" ) );
    doc.set( kKey, "unterminated", RVT_SZ, bytes( { 'a', 'b' } ) );
    doc.set( kKey, "empty", RVT_BINARY, {} );
    doc.set( kKey, "dword", RVT_DWORD, bytes( { 1, 2, 3, 4 } ) );
    doc.set( "HKEY_CURRENT_USER\\SOFTWARE\\Other", "x", RVT_SZ, text( "y" ) );
    doc.set( kKey, "HS:0", RVT_BINARY, bytes( { 9 } ) ); // replaces, keeps its place

    std::string written = doc.serialize();
    EXPECT_EQ( written.rfind( "REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Vantorix\\Glimmerdrop]\n\"HS:0\"=hex:09\n", 0 ), 0u );
    for( size_t start = 0, end; ( end = written.find( '\n', start ) ) != std::string::npos; start = end + 1 )
        EXPECT_LE( end - start, 80u ) << "regedit wraps long lines";

    HRegistryDocument back;
    ASSERT_TRUE( back.parse( written ) ) << written;
    ASSERT_EQ( back.keys().size(), doc.keys().size() );
    for( size_t k = 0; k < doc.keys().size(); ++k )
    {
        ASSERT_EQ( back.keys()[ k ].values.size(), doc.keys()[ k ].values.size() );
        for( size_t v = 0; v < doc.keys()[ k ].values.size(); ++v )
        {
            EXPECT_EQ( back.keys()[ k ].values[ v ].name, doc.keys()[ k ].values[ v ].name );
            EXPECT_EQ( back.keys()[ k ].values[ v ].type, doc.keys()[ k ].values[ v ].type );
            EXPECT_EQ( back.keys()[ k ].values[ v ].data, doc.keys()[ k ].values[ v ].data );
        }
    }

    doc.set( kKey, "HS:1", RVT_BINARY, longBinary );
    HRegistryDocument wrapped;
    ASSERT_TRUE( wrapped.parse( doc.serialize() ) );
    EXPECT_EQ( wrapped.find( kKey, "HS:1" )->data, longBinary );
}

TEST( HRegistryDocumentTest, UnreadableLinesAreCountedAndTheRestIsKept )
{
    const std::string file = "REGEDIT4\n"
                             "\"orphan\"=\"before any key\"\n"
                             "[HKEY_CURRENT_USER\\SOFTWARE\\Vantorix\\Glimmerdrop]\n"
                             "\"good\"=\"kept\"\n"
                             "\"open\"=\"never closed\n"
                             "\"badhex\"=hex:01,zz\n"
                             "\"toolong\"=hex:123\n"
                             "\"noequals\" \"x\"\n"
                             "\"after\"=hex:0a\n"
                             "[broken key\n"
                             "\"lost\"=\"no key\"\n";
    HRegistryDocument doc;
    EXPECT_FALSE( doc.parse( file ) );
    EXPECT_EQ( doc.errorCount(), 7 );
    EXPECT_EQ( doc.find( kKey, "good" )->data, text( "kept" ) );
    EXPECT_EQ( doc.find( kKey, "after" )->data, bytes( { 10 } ) );
    EXPECT_EQ( doc.find( kKey, "open" ), nullptr );
    EXPECT_EQ( doc.find( kKey, "badhex" ), nullptr );
}

TEST( HRegistryDocumentTest, GarbageAndEmptyTextNeverCrash )
{
    HRegistryDocument doc;
    EXPECT_TRUE( doc.parse( "" ) );
    EXPECT_TRUE( doc.keys().empty() );

    std::string garbage;
    uint32_t state = 12345;
    for( int i = 0; i < 20000; ++i )
    {
        state = state * 1103515245u + 12345u;
        garbage += static_cast<char>( state >> 23 );
    }
    EXPECT_FALSE( doc.parse( garbage ) );
    EXPECT_FALSE( doc.parse( "REGEDIT4\n[K]\n\"x\"=hex:01,\\" ) ); // continuation at the very end
    EXPECT_FALSE( doc.parse( std::string( "REGEDIT4\n[K]\n\"a\0b\"=\"x\"\n", 22 ) ) );
    EXPECT_FALSE( doc.parse( "no header\n[K]\n\"x\"=\"y\"\n" ) );
    EXPECT_EQ( doc.find( "K", "x" )->data, text( "y" ) );
}

TEST( HRegistryDocumentTest, HandWrittenValuesReadTheSameAfterEveryRewrite )
{
    const std::string kHead = "REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Vantorix\\Glimmerdrop]\n";
    // Long enough that the first rewrite wraps it.
    auto hexBytes = []( int count )
    {
        std::string out;
        for( int i = 0; i < count; ++i )
            out += ( i == 0 ? "" : "," ) + std::string( 1, "0123456789abcdef"[ i / 16 % 16 ] ) + "0123456789abcdef"[ i % 16 ];
        return out;
    };
    const std::string kaFiles[] = {
        kHead + "\"note=mine\"=hex:" + hexBytes( 30 ) + "\n",
        kHead + "\"a=hex:01,\\\\\"=hex:" + hexBytes( 32 ) + "\n",
        kHead + "\"quote\\\"d\"=\"x\"\n\"back\\\\slash\\\\\"=hex:01,02\n\"=\"=\"=\"\n\"tab\tname\"=dword:00000001\n",
        kHead + "@=hex(2):" + hexBytes( 40 ) + "\n",
    };
    for( const std::string& file : kaFiles )
    {
        HRegistryDocument first;
        ASSERT_TRUE( first.parse( file ) ) << file;
        ASSERT_EQ( first.keys().size(), 1u ) << file;
        std::string written = file;
        for( int rewrite = 0; rewrite < 3; ++rewrite )
        {
            HRegistryDocument again;
            ASSERT_TRUE( again.parse( written ) ) << written;
            ASSERT_EQ( again.keys().size(), 1u );
            const std::vector<HRegistryValue>& values = again.keys()[ 0 ].values;
            ASSERT_GE( values.size(), first.keys()[ 0 ].values.size() ) << written;
            for( size_t v = 0; v < first.keys()[ 0 ].values.size(); ++v )
            {
                EXPECT_EQ( values[ v ].name, first.keys()[ 0 ].values[ v ].name );
                EXPECT_EQ( values[ v ].type, first.keys()[ 0 ].values[ v ].type );
                EXPECT_EQ( values[ v ].data, first.keys()[ 0 ].values[ v ].data );
            }
            again.set( kKey, "Start Level", RVT_BINARY, bytes( { rewrite, 0, 0, 0 } ) );
            written = again.serialize();
        }
    }
    HRegistryDocument doc;
    ASSERT_TRUE( doc.parse( kaFiles[ 0 ] ) );
    EXPECT_EQ( doc.find( kKey, "note=mine" )->data.size(), 30u );
    ASSERT_TRUE( doc.parse( kaFiles[ 2 ] ) );
    EXPECT_EQ( doc.find( kKey, "=" )->data, text( "=" ) );
    EXPECT_EQ( doc.find( kKey, "back\\slash\\" )->data, bytes( { 1, 2 } ) );

    // A NUL, raw or escaped, could never be written back inside quotes.
    EXPECT_FALSE( doc.parse( kHead + std::string( "\"a\\\0b\"=\"x\"\n\"kept\"=\"y\"\n", 22 ) ) );
    EXPECT_EQ( doc.find( kKey, "kept" )->data, text( "y" ) );
    EXPECT_EQ( doc.keys()[ 0 ].values.size(), 1u );
}
