#include "tools/mkassets/GlyphSheet.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <vector>

namespace GlyphSheet
{
namespace
{
const char* const kFacePath = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf";
constexpr int kPixelSize = 11;
constexpr int kBaseline = 9; // from the cell's top

// Warm yellow on a dark outline: legible on the dark wells and on the busy backdrop alike.
constexpr uint32_t kFill = 0xFFF27A;
constexpr uint32_t kOutline = 0x240634;
} // namespace

bool paint( Canvas& sheet, std::string& error )
{
    FT_Library library = nullptr;
    if( FT_Init_FreeType( &library ) != 0 )
    {
        error = "FreeType did not start";
        return false;
    }
    FT_Face face = nullptr;
    if( FT_New_Face( library, kFacePath, 0, &face ) != 0 )
    {
        FT_Done_FreeType( library );
        error = std::string( "cannot load the font file '" ) + kFacePath + "'";
        return false;
    }
    FT_Set_Pixel_Sizes( face, 0, kPixelSize );

    const int width = kColumns * kCellWidth;
    const int height = kRows * kCellHeight;
    std::vector<float> coverage( size_t( width ) * size_t( height ), 0.0f );
    for( int code = 33; code < 127; ++code )
    {
        if( FT_Load_Char( face, FT_ULong( code ), FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT ) != 0 )
            continue;
        FT_GlyphSlot glyph = face->glyph;
        const FT_Bitmap& bitmap = glyph->bitmap;
        int cellX = ( code % kColumns ) * kCellWidth;
        int cellY = ( code / kColumns - 1 ) * kCellHeight;
        int advance = int( ( glyph->advance.x + 32 ) >> 6 );
        int originX = cellX + ( kCellWidth - advance ) / 2;
        for( unsigned row = 0; row < bitmap.rows; ++row )
            for( unsigned column = 0; column < bitmap.width; ++column )
            {
                int x = originX + glyph->bitmap_left + int( column );
                int y = cellY + kBaseline - glyph->bitmap_top + int( row );
                // Ink that would fall into a neighbouring cell is dropped.
                if( x < cellX || x >= cellX + kCellWidth || y < cellY || y >= cellY + kCellHeight )
                    continue;
                float value = bitmap.buffer[ row * unsigned( bitmap.pitch ) + column ] / 255.0f;
                float& cell = coverage[ size_t( y ) * size_t( width ) + size_t( x ) ];
                cell = std::max( cell, value );
            }
    }
    FT_Done_Face( face );
    FT_Done_FreeType( library );

    // The outline: coverage spread by one pixel, kept inside each cell.
    uint32_t* pixels = sheet.pixels();
    int stride = sheet.stridePixels();
    for( int y = 0; y < height; ++y )
        for( int x = 0; x < width; ++x )
        {
            int cellX = x - x % kCellWidth;
            int cellY = y - y % kCellHeight;
            float spread = 0.0f;
            for( int dy = -1; dy <= 1; ++dy )
                for( int dx = -1; dx <= 1; ++dx )
                {
                    int sx = x + dx;
                    int sy = y + dy;
                    if( sx < cellX || sx >= cellX + kCellWidth || sy < cellY || sy >= cellY + kCellHeight )
                        continue;
                    float weight = ( dx == 0 || dy == 0 ) ? 1.0f : 0.6f;
                    spread = std::max( spread, coverage[ size_t( sy ) * size_t( width ) + size_t( sx ) ] * weight );
                }
            float ink = coverage[ size_t( y ) * size_t( width ) + size_t( x ) ];
            float alpha = std::max( ink, spread * 0.9f );
            float mix = alpha > 0.0f ? ink / alpha : 0.0f;
            auto channel = [ mix, alpha ]( int shift )
            {
                float fill = float( ( kFill >> shift ) & 255 );
                float outline = float( ( kOutline >> shift ) & 255 );
                return uint32_t( std::clamp( ( outline + ( fill - outline ) * mix ) * alpha + 0.5f, 0.0f, 255.0f ) );
            };
            uint32_t a = uint32_t( std::clamp( alpha * 255.0f + 0.5f, 0.0f, 255.0f ) );
            pixels[ y * stride + x ] = ( a << 24 ) | ( channel( 16 ) << 16 ) | ( channel( 8 ) << 8 ) | channel( 0 );
        }
    sheet.markDirty();
    return true;
}
} // namespace GlyphSheet
