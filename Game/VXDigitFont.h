#ifndef GLIMMERDROP_GAME_VXDIGITFONT_H
#define GLIMMERDROP_GAME_VXDIGITFONT_H

#include <cstdint>

#include "Framework/graphics/HRect.h"

class VXSpriteTable;

// The game's big digits: numbers drawn right to left from the anchor of their last digit, with a
// comma, set three pixels lower, between every group of three.
class VXDigitFont
{
public:
    static const int32_t kAdvance = 18;
    static const int32_t kGroupAdvance = 14;
    static const int32_t kCommaAdvance = 13;
    static const int32_t kCommaDrop = 3;
    // Every glyph's cell; the comma's is narrower.
    static const int32_t kGlyphHeight = 23;
    static const int32_t kCommaWidth = 14;

    // The glyphs come from the table's font slots (not owned).
    explicit VXDigitFont( VXSpriteTable* pSprites = nullptr );
    void setSprites( VXSpriteTable* pSprites ) { m_pSprites = pSprites; }

    // Characters without a glyph (a minus sign) draw nothing but keep their place.
    void draw( const char* kpText, int32_t anchorX, int32_t topY, const HRect& clip ) const;
    void drawNumber( int32_t value, int32_t anchorX, int32_t topY, const HRect& clip ) const;

    // Where each character of a text goes: the callback gets the glyph slot (-1 for none) and the place.
    template <typename Visit>
    static void layout( const char* kpText, int32_t anchorX, int32_t topY, Visit visit );

    // How many characters a number is written with ("%d").
    static int32_t digitCount( int32_t value );
    // Every pixel a number's glyph cells cover, commas and all.
    static HRect numberArea( int32_t value, int32_t anchorX, int32_t topY );

private:
    VXSpriteTable* m_pSprites;
};

template <typename Visit>
void VXDigitFont::layout( const char* kpText, int32_t anchorX, int32_t topY, Visit visit )
{
    int32_t length = 0;
    while( kpText[ length ] != 0 )
        ++length;
    int32_t x = anchorX;
    for( int32_t i = 1; i <= length; ++i )
    {
        char character = kpText[ length - i ];
        visit( character >= '0' && character <= '9' ? character - '0' : -1, x, topY );
        if( i % 3 != 0 )
        {
            x -= kAdvance;
            continue;
        }
        x -= kGroupAdvance;
        if( i < length )
        {
            visit( 10, x, topY + kCommaDrop );
            x -= kCommaAdvance;
        }
    }
}

#endif
