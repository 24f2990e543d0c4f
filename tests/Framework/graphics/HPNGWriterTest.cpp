#include <gtest/gtest.h>

#include <vector>

#include "Framework/graphics/HPNGWriter.h"
#include "tests/support/ImageFiles.h"
#include "tests/support/RecordingProcessServices.h"
#include "tests/support/TempDir.h"

TEST( HPNGWriterTest, AnotherToolReadsBackTheWidenedColours )
{
    RecordingProcessServices services;
    TempDir dir;
    // 3 x 2 picture inside rows of 5 words: the pitch must be honoured.
    std::vector<uint16_t> pixels = { 0x7FFF, 0x7C00, 0x03E0, 0xDEAD, 0xDEAD, 0x001F, 0x0000, 1 << 10 | 16 << 5 | 30,
                                     0xDEAD, 0xDEAD };
    ASSERT_TRUE( HPNGWriter::write555( dir.file( "out.png" ).c_str(), pixels.data(), 3, 2, 5 ) );
    ASSERT_TRUE( tool( "pngtopam " + dir.file( "out.png" ) + " >" + dir.file( "out.ppm" ) ) );
    RgbaPicture picture;
    ASSERT_TRUE( readPNM( dir.file( "out.ppm" ), picture ) );
    ASSERT_EQ( picture.width, 3 );
    ASSERT_EQ( picture.height, 2 );
    const uint8_t kExpected[ 6 ][ 3 ] = { { 255, 255, 255 }, { 255, 0, 0 }, { 0, 255, 0 },
                                          { 0, 0, 255 },     { 0, 0, 0 },   { 8, 132, 247 } };
    for( int i = 0; i < 6; ++i )
    {
        for( int c = 0; c < 3; ++c )
            EXPECT_EQ( picture.rgba[ i * 4 + c ], kExpected[ i ][ c ] ) << i << " " << c;
    }
}

TEST( HPNGWriterTest, RefusesWhatCannotBeWritten )
{
    RecordingProcessServices services;
    TempDir dir;
    uint16_t pixel = 0;
    EXPECT_FALSE( HPNGWriter::write555( nullptr, &pixel, 1, 1, 1 ) );
    EXPECT_FALSE( HPNGWriter::write555( dir.file( "a.png" ).c_str(), nullptr, 1, 1, 1 ) );
    EXPECT_FALSE( HPNGWriter::write555( dir.file( "a.png" ).c_str(), &pixel, 0, 1, 1 ) );
    EXPECT_FALSE( HPNGWriter::write555( dir.file( "a.png" ).c_str(), &pixel, 2, 1, 1 ) );
    EXPECT_FALSE( HPNGWriter::write555( ( dir.path() + "/no/such/dir/a.png" ).c_str(), &pixel, 1, 1, 1 ) );
    EXPECT_FALSE( dir.exists( "a.png" ) );
    // An existing picture is replaced whole.
    dir.write( "b.png", "old" );
    ASSERT_TRUE( HPNGWriter::write555( dir.file( "b.png" ).c_str(), &pixel, 1, 1, 1 ) );
    EXPECT_EQ( dir.read( "b.png" ).substr( 1, 3 ), "PNG" );
}
