#include "Game/dialogs/VXPrintableText.h"

#include <cstring>

#include "Framework/util/src/HText.h"

namespace
{
// The code point of a well-formed UTF-8 sequence at the start of the bytes, with its length in
// count; false when none starts there.
bool utf8Sequence( const unsigned char* kpBytes, size_t available, uint32_t& codePoint, size_t& count )
{
    unsigned char lead = kpBytes[ 0 ];
    size_t extra = lead >= 0xC2 && lead <= 0xDF   ? 1
                   : lead >= 0xE0 && lead <= 0xEF ? 2
                   : lead >= 0xF0 && lead <= 0xF4 ? 3
                                                  : 0;
    if( extra == 0 || extra >= available )
        return false;
    uint32_t value = lead & ( 0x3F >> extra );
    for( size_t i = 1; i <= extra; ++i )
    {
        if( ( kpBytes[ i ] & 0xC0 ) != 0x80 )
            return false;
        value = ( value << 6 ) | ( kpBytes[ i ] & 0x3F );
    }
    // Overlong forms and surrogates are no characters.
    static const uint32_t kaLeast[ 4 ] = { 0, 0x80, 0x800, 0x10000 };
    if( value < kaLeast[ extra ] || value > 0x10FFFF || ( value >= 0xD800 && value <= 0xDFFF ) )
        return false;
    codePoint = value;
    count = extra + 1;
    return true;
}
} // namespace

size_t printableCharacter( uint32_t codePoint, char* pOut )
{
    if( codePoint < 32 || codePoint == 127 || ( codePoint >= 0x80 && codePoint < 0xA0 ) )
        return 0;
    if( codePoint < 127 )
    {
        pOut[ 0 ] = static_cast<char>( codePoint );
        return 1;
    }
    const char* kpLetters = textPlainLetters( codePoint );
    if( kpLetters == nullptr )
    {
        pOut[ 0 ] = '?';
        return 1;
    }
    size_t length = std::strlen( kpLetters );
    std::memcpy( pOut, kpLetters, length );
    return length;
}

size_t printableTyped( unsigned char character, char* pOut )
{
    if( character >= 0x80 && character < 0xA0 )
    {
        // A code-page position without a character still stands for something typed.
        uint32_t codePoint = textCodePagePoint( character );
        if( codePoint == 0 )
        {
            pOut[ 0 ] = '?';
            return 1;
        }
        return printableCharacter( codePoint, pOut );
    }
    return printableCharacter( character, pOut );
}

size_t makePrintable( char* pDest, size_t size, const char* kpSource, size_t sourceLength )
{
    if( pDest == nullptr || size == 0 )
        return 0;
    size_t length = 0;
    const unsigned char* kpBytes = reinterpret_cast<const unsigned char*>( kpSource );
    size_t end = 0;
    while( kpSource != nullptr && end < sourceLength && kpBytes[ end ] != 0 && kpBytes[ end ] != '\n' &&
           kpBytes[ end ] != '\r' )
        ++end;
    size_t i = 0;
    while( i < end )
    {
        char letters[ kMostPrintable ];
        size_t count = 0;
        uint32_t codePoint = 0;
        size_t used = 1;
        if( kpBytes[ i ] == '\t' )
            count = printableCharacter( ' ', letters );
        else if( utf8Sequence( kpBytes + i, end - i, codePoint, used ) )
            count = printableCharacter( codePoint, letters );
        else
            count = printableTyped( kpBytes[ i ], letters );
        if( length + count + 1 > size )
            break;
        std::memcpy( pDest + length, letters, count );
        length += count;
        i += used;
    }
    pDest[ length ] = '\0';
    return length;
}
