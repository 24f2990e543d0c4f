#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Framework/graphics/HImage.h"
#include "Framework/graphics/HPNGLoader.h"
#include "Framework/graphics/HWindowIcon.h"
#include "tests/support/TempDir.h"
#include "tools/mkicon/IconWriter.h"

namespace
{
uint32_t read16( const std::vector<uint8_t>& bytes, size_t at )
{
    return bytes[ at ] | ( bytes[ at + 1 ] << 8 );
}

uint32_t read32( const std::vector<uint8_t>& bytes, size_t at )
{
    return read16( bytes, at ) | ( read16( bytes, at + 2 ) << 16 );
}
}

TEST( IconWriterTest, EachSizeIsThePaintedIconAsABottomUpBitmapWithItsMask )
{
    std::vector<uint8_t> file = IconWriter::iconFile( { 16, 32 } );
    ASSERT_GE( file.size(), 6u + 32u );
    EXPECT_EQ( read16( file, 0 ), 0u );
    EXPECT_EQ( read16( file, 2 ), 1u ); // an icon
    ASSERT_EQ( read16( file, 4 ), 2u );

    size_t expectedOffset = 6 + 2 * 16;
    for( int i = 0; i < 2; ++i )
    {
        const int32_t size = i == 0 ? 16 : 32;
        size_t entry = 6 + 16 * static_cast<size_t>( i );
        EXPECT_EQ( file[ entry ], size );
        EXPECT_EQ( file[ entry + 1 ], size );
        EXPECT_EQ( read16( file, entry + 6 ), 32u );
        uint32_t bytes = read32( file, entry + 8 );
        uint32_t offset = read32( file, entry + 12 );
        EXPECT_EQ( offset, expectedOffset );
        const uint32_t maskRow = ( ( size + 31 ) / 32 ) * 4;
        ASSERT_EQ( bytes, 40 + size * size * 4 + maskRow * size );
        ASSERT_LE( offset + bytes, file.size() );
        expectedOffset += bytes;

        // The bitmap's height counts the colour rows and the mask rows together.
        EXPECT_EQ( read32( file, offset ), 40u );
        EXPECT_EQ( read32( file, offset + 4 ), static_cast<uint32_t>( size ) );
        EXPECT_EQ( read32( file, offset + 8 ), static_cast<uint32_t>( size * 2 ) );
        EXPECT_EQ( read16( file, offset + 14 ), 32u );

        std::vector<uint32_t> painted( static_cast<size_t>( size ) * size );
        HWindowIcon::paint( painted.data(), size );
        int clear = 0;
        for( int32_t y = 0; y < size; ++y )
        {
            for( int32_t x = 0; x < size; ++x )
            {
                uint32_t pixel = painted[ static_cast<size_t>( y ) * size + x ];
                size_t at = offset + 40 + ( static_cast<size_t>( size - 1 - y ) * size + x ) * 4;
                // Stored blue, green, red, alpha, last row first.
                ASSERT_EQ( read32( file, at ), pixel ) << size << ": " << x << "," << y;
                size_t maskAt = offset + 40 + size * size * 4 + static_cast<size_t>( size - 1 - y ) * maskRow + x / 8;
                bool masked = ( file[ maskAt ] & ( 0x80 >> ( x % 8 ) ) ) != 0;
                EXPECT_EQ( masked, ( pixel >> 24 ) == 0 ) << x << "," << y;
                clear += masked ? 1 : 0;
            }
        }
        // A drop on a clear ground: some of each.
        EXPECT_GT( clear, 0 );
        EXPECT_LT( clear, size * size );
    }
    EXPECT_EQ( expectedOffset, file.size() );
}

TEST( IconWriterTest, SizesTheFormatCannotHoldGiveNothing )
{
    EXPECT_TRUE( IconWriter::iconFile( { 0 } ).empty() );
    EXPECT_TRUE( IconWriter::iconFile( { 32, 257 } ).empty() );
    EXPECT_FALSE( IconWriter::iconFile( { 256 } ).empty() );
    EXPECT_EQ( IconWriter::iconFile( { 256 } )[ 6 ], 0 ); // a side of 256 is written as 0
    TempDir dir;
    EXPECT_FALSE( IconWriter::write( dir.file( "no/such/folder/x.ico" ), { 32 } ) );
    EXPECT_FALSE( dir.exists( "no/such/folder/x.ico.part" ) );
}

TEST( IconWriterTest, AnotherProgramReadsEverySize )
{
    TempDir dir;
    ASSERT_TRUE( IconWriter::write( dir.file( "glimmerdrop.ico" ), { 16, 32, 48 } ) );
    ASSERT_EQ( runCommand( "identify -format '%wx%h\\n' '" + dir.file( "glimmerdrop.ico" ) + "' >'" +
                           dir.file( "sizes.txt" ) + "' 2>&1" ),
               0 )
        << dir.read( "sizes.txt" );
    EXPECT_EQ( dir.read( "sizes.txt" ), "16x16\n32x32\n48x48\n" );
}

TEST( IconWriterTest, EachThemeSizeIsTheDrawingPaintedAtThatSize )
{
    TempDir dir;
    ASSERT_TRUE( IconWriter::writeThemeIcons( dir.file( "hicolor" ), "app.id", { 16, 24, 512 } ) );
    for( int32_t size : { 16, 24, 512 } )
    {
        std::string side = std::to_string( size );
        std::string name = "hicolor/" + side + "x" + side + "/apps/app.id.png";
        ASSERT_TRUE( dir.exists( name ) ) << name;
        std::string bytes = dir.read( name );
        HPNGLoader loader;
        ASSERT_TRUE( loader.decode( reinterpret_cast<const uint8_t*>( bytes.data() ),
                                    static_cast<uint32_t>( bytes.size() ), name.c_str() ) );
        const HImage* kpImage = loader.getImage();
        ASSERT_EQ( kpImage->getWidth(), size );
        ASSERT_EQ( kpImage->getHeight(), size );
        // Painted afresh, not scaled: every pixel is the drawing's own at this size.
        std::vector<uint32_t> painted( static_cast<size_t>( size ) * size );
        HWindowIcon::paint( painted.data(), size );
        int differing = 0;
        for( int32_t y = 0; y < size; ++y )
        {
            for( int32_t x = 0; x < size; ++x )
            {
                uint32_t pixel = painted[ static_cast<size_t>( y ) * size + x ];
                uint8_t rgba[ 4 ];
                kpImage->getPixelRGBA( x, y, rgba );
                uint32_t read = static_cast<uint32_t>( rgba[ 3 ] ) << 24 | rgba[ 0 ] << 16 | rgba[ 1 ] << 8 | rgba[ 2 ];
                differing += read != pixel ? 1 : 0;
            }
        }
        EXPECT_EQ( differing, 0 ) << name;
    }
    EXPECT_TRUE( IconWriter::pngFile( 0 ).empty() );
    EXPECT_TRUE( IconWriter::pngFile( 1025 ).empty() );
    EXPECT_FALSE( IconWriter::writeThemeIcons( dir.file( "hicolor" ), "app.id", { 0 } ) );
}
