// The writers of the archive's formats: TGA, JPEG, WAV, Ogg Vorbis and the zip itself.

#include "tests/support/TempDir.h"
#include "tests/tools/mkassets/AssetDecoding.h"

#include "Framework/FileSystem/src/HZIPFileSystem.h"
#include "tools/mkassets/ArchiveWriter.h"
#include "tools/mkassets/ImageWriters.h"
#include "tools/mkassets/SoundWriters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>

namespace
{
std::vector<uint8_t> readFile( const std::string& path )
{
    std::ifstream in( path, std::ios::binary );
    return std::vector<uint8_t>( ( std::istreambuf_iterator<char>( in ) ), std::istreambuf_iterator<char>() );
}

void setPixel( Canvas& canvas, int x, int y, uint32_t premultiplied )
{
    canvas.pixels()[ y * canvas.stridePixels() + x ] = premultiplied;
    canvas.markDirty();
}

SoundBuffer tone( int channels, size_t frames )
{
    SoundBuffer sound;
    sound.channels = channels;
    for( size_t i = 0; i < frames; ++i )
        for( int c = 0; c < channels; ++c )
            sound.samples.push_back( float( 0.5 * std::sin( i * 0.05 * ( c + 1 ) ) ) );
    return sound;
}
} // namespace

TEST( ImageWritersTest, TgaStoresRowsBottomUpWithStraightAlpha )
{
    Canvas canvas( 2, 2 );
    setPixel( canvas, 0, 0, 0xFFFF0000 ); // opaque red, top left
    setPixel( canvas, 1, 1, 0x80400000 ); // half-covered red (premultiplied), bottom right
    std::vector<uint8_t> tga = ImageWriters::encodeTGA( canvas );
    ASSERT_EQ( tga.size(), 18u + 16u );
    EXPECT_EQ( tga[ 2 ], 2 );
    EXPECT_EQ( tga[ 12 ], 2 );
    EXPECT_EQ( tga[ 14 ], 2 );
    EXPECT_EQ( tga[ 16 ], 32 );
    // The file's first row is the picture's bottom row: blank, then the half-covered pixel.
    const uint8_t* bottom = &tga[ 18 ];
    EXPECT_EQ( bottom[ 3 ], 0 );
    EXPECT_EQ( bottom[ 4 + 3 ], 0x80 );
    EXPECT_NEAR( bottom[ 4 + 2 ], 0x80, 1 ) << "colour must be un-premultiplied: 0x40 / 0x80 of full red";
    const uint8_t* top = &tga[ 18 + 8 ];
    EXPECT_EQ( top[ 2 ], 0xFF );
    EXPECT_EQ( top[ 3 ], 0xFF );

    AssetDecoding::Picture decoded;
    ASSERT_TRUE( AssetDecoding::decodeTGA( tga, decoded ) );
    EXPECT_EQ( decoded.pixelAlpha( 0, 0 ), 255 );
    EXPECT_EQ( decoded.pixelAlpha( 1, 1 ), 0x80 );
}

TEST( ImageWritersTest, VisibleMagentaIsNudgedOffTheTransparencyKey )
{
    // The game's loader turns pure magenta into a hole whatever its alpha.
    Canvas canvas( 2, 1 );
    setPixel( canvas, 0, 0, 0xFFFF00FF );
    setPixel( canvas, 1, 0, 0xFFFF01FF );
    std::vector<uint8_t> tga = ImageWriters::encodeTGA( canvas );
    EXPECT_EQ( tga[ 18 + 1 ], 1 );
    EXPECT_EQ( tga[ 18 + 4 + 1 ], 1 );
    EXPECT_EQ( tga[ 18 + 3 ], 255 );
}

TEST( ImageWritersTest, JpegKeepsSizeAndColour )
{
    Canvas canvas( 33, 17 );
    cairo_set_source_rgb( canvas.cr(), 0.2, 0.6, 0.9 );
    cairo_paint( canvas.cr() );
    std::vector<uint8_t> jpeg = ImageWriters::encodeJPEG( canvas, 92 );
    AssetDecoding::Picture decoded;
    ASSERT_TRUE( AssetDecoding::decodeJPEG( jpeg, decoded ) );
    EXPECT_EQ( decoded.width, 33 );
    EXPECT_EQ( decoded.height, 17 );
    EXPECT_NEAR( decoded.rgba[ 0 ], 51, 3 );
    EXPECT_NEAR( decoded.rgba[ 1 ], 153, 3 );
    EXPECT_NEAR( decoded.rgba[ 2 ], 230, 3 );
    EXPECT_EQ( ImageWriters::encodeJPEG( canvas, 92 ), jpeg );
}

TEST( SoundWritersTest, WavHeaderIsTheCanonicalOne )
{
    SoundBuffer sound = tone( 1, 10 );
    std::vector<uint8_t> wav = SoundWriters::encodeWAV( sound );
    ASSERT_EQ( wav.size(), 44u + 20u );
    EXPECT_EQ( std::string( wav.begin(), wav.begin() + 4 ), "RIFF" );
    EXPECT_EQ( wav[ 4 ], 56 );
    EXPECT_EQ( std::string( wav.begin() + 8, wav.begin() + 16 ), "WAVEfmt " );
    EXPECT_EQ( wav[ 16 ], 16 );
    EXPECT_EQ( wav[ 20 ], 1 );
    EXPECT_EQ( wav[ 22 ], 1 );
    EXPECT_EQ( wav[ 24 ] | wav[ 25 ] << 8, 22050 );
    EXPECT_EQ( wav[ 32 ], 2 );
    EXPECT_EQ( wav[ 34 ], 16 );
    EXPECT_EQ( std::string( wav.begin() + 36, wav.begin() + 40 ), "data" );
    EXPECT_EQ( wav[ 40 ], 20 );
}

TEST( SoundWritersTest, SamplesRoundAndClipWithoutWrapping )
{
    SoundBuffer sound;
    sound.samples = { 0.0f, 1.0f, -1.0f, 2.5f, -3.0f, std::nanf( "" ), 0.5f };
    std::vector<int16_t> pcm = SoundWriters::toPCM16( sound );
    EXPECT_EQ( pcm[ 0 ], 0 );
    EXPECT_EQ( pcm[ 1 ], 32767 );
    EXPECT_EQ( pcm[ 2 ], -32767 );
    EXPECT_EQ( pcm[ 3 ], 32767 );
    EXPECT_EQ( pcm[ 4 ], -32768 );
    EXPECT_EQ( pcm[ 5 ], 0 );
    EXPECT_EQ( pcm[ 6 ], 16384 );
}

TEST( SoundWritersTest, OggKeepsTheExactLengthAndIsReproducible )
{
    for( int channels : { 1, 2 } )
    {
        SoundBuffer sound = tone( channels, 12345 );
        std::vector<uint8_t> ogg = SoundWriters::encodeOgg( sound, 0.4f, 4242 );
        AssetDecoding::Sound decoded;
        ASSERT_TRUE( AssetDecoding::decodeOgg( ogg, decoded ) );
        EXPECT_EQ( decoded.channels, channels );
        EXPECT_EQ( decoded.rate, 22050 );
        EXPECT_EQ( decoded.frames(), 12345u );
        // The page header carries the serial number we gave.
        EXPECT_EQ( ogg[ 14 ] | ogg[ 15 ] << 8 | ogg[ 16 ] << 16 | ogg[ 17 ] << 24, 4242 );
        EXPECT_EQ( SoundWriters::encodeOgg( sound, 0.4f, 4242 ), ogg );
        EXPECT_NE( SoundWriters::encodeOgg( sound, 0.4f, 4243 ), ogg );
    }
}

TEST( ArchiveWriterTest, SameEntriesGiveTheSameBytesAndTheGameReadsThem )
{
    TempDir dir;
    ArchiveWriter archive;
    archive.add( "b.tga", { 1, 2, 3 } );
    archive.add( "a.wav", std::vector<uint8_t>( 5000, 7 ) );
    archive.add( "empty.ogg", {} );
    std::string error;
    ASSERT_TRUE( archive.write( dir.file( "one.vxz" ), error ) ) << error;
    ASSERT_TRUE( archive.write( dir.file( "two.vxz" ), error ) ) << error;
    EXPECT_EQ( readFile( dir.file( "one.vxz" ) ), readFile( dir.file( "two.vxz" ) ) );
    EXPECT_FALSE( dir.exists( "one.vxz.part" ) );
    EXPECT_EQ( AssetDecoding::listArchive( dir.file( "one.vxz" ) ),
               ( std::vector<std::string>{ "b.tga", "a.wav", "empty.ogg" } ) );

    HZIPFileSystem fs;
    ASSERT_TRUE( fs.init( dir.file( "one.vxz" ).c_str() ) );
    HFile* pFile = fs.openFileForRead( "A.WAV" );
    ASSERT_NE( pFile, nullptr );
    std::vector<uint8_t> bytes( pFile->getSize() );
    EXPECT_EQ( pFile->read( bytes.data(), uint32_t( bytes.size() ) ), 5000u );
    pFile->close();
    EXPECT_EQ( bytes, std::vector<uint8_t>( 5000, 7 ) );
    fs.shutdown();
}

TEST( ArchiveWriterTest, AFailedWriteLeavesNothingBehind )
{
    TempDir dir;
    ArchiveWriter archive;
    archive.add( "a", { 1 } );
    std::string error;
    EXPECT_FALSE( archive.write( dir.file( "missing/folder/out.vxz" ), error ) );
    EXPECT_FALSE( error.empty() );

    // A target that cannot be replaced (a folder) keeps what was there and removes the temporary file.
    ASSERT_EQ( runCommand( "mkdir -p '" + dir.file( "busy.vxz" ) + "/inner'" ), 0 );
    error.clear();
    EXPECT_FALSE( archive.write( dir.file( "busy.vxz" ), error ) );
    EXPECT_FALSE( error.empty() );
    EXPECT_FALSE( dir.exists( "busy.vxz.part" ) );
    EXPECT_TRUE( dir.exists( "busy.vxz/inner" ) );
}
