#include "Framework/util/src/HText.h"

#include <cstdio>
#include <cstring>

char* textCopy( char* pDest, size_t size, const char* kpSource )
{
    if( pDest == nullptr || size == 0 )
        return pDest;
    size_t i = 0;
    if( kpSource != nullptr )
    {
        for( ; i + 1 < size && kpSource[ i ] != '\0'; ++i )
            pDest[ i ] = kpSource[ i ];
    }
    pDest[ i ] = '\0';
    return pDest;
}

namespace
{
char foldAscii( char c )
{
    return ( c >= 'A' && c <= 'Z' ) ? static_cast<char>( c - 'A' + 'a' ) : c;
}
}

bool textEqualsNoCase( const char* kpA, const char* kpB )
{
    if( kpA == nullptr || kpB == nullptr )
        return kpA == kpB;
    for( ;; ++kpA, ++kpB )
    {
        if( foldAscii( *kpA ) != foldAscii( *kpB ) )
            return false;
        if( *kpA == '\0' )
            return true;
    }
}

int textFormatV( char* pDest, size_t size, const char* kpFormat, va_list args )
{
    if( pDest == nullptr || size == 0 )
        return 0;
    if( kpFormat == nullptr )
    {
        pDest[ 0 ] = '\0';
        return 0;
    }
    int written = vsnprintf( pDest, size, kpFormat, args );
    if( written < 0 )
    {
        pDest[ 0 ] = '\0';
        return 0;
    }
    if( static_cast<size_t>( written ) >= size )
        written = static_cast<int>( size - 1 );
    return written;
}

int textFormat( char* pDest, size_t size, const char* kpFormat, ... )
{
    va_list args;
    va_start( args, kpFormat );
    int written = textFormatV( pDest, size, kpFormat, args );
    va_end( args );
    return written;
}

bool textContains( const char* kpText, const char* kpPart )
{
    if( kpText == nullptr || kpPart == nullptr )
        return false;
    return std::strstr( kpText, kpPart ) != nullptr;
}

const char* textPlainLetters( uint32_t codePoint )
{
    // From U+00C0 to U+017F, sixteen a line; "" where the character is no letter (the signs for
    // times and divide).
    // clang-format off
    static const char* const kapLatin[] = {
        "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I", "I",
        "D", "N", "O", "O", "O", "O", "O", "",  "O", "U", "U", "U", "U", "Y", "TH", "ss",
        "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",
        "d", "n", "o", "o", "o", "o", "o", "",  "o", "u", "u", "u", "u", "y", "th", "y",
        "A", "a", "A", "a", "A", "a", "C", "c", "C", "c", "C", "c", "C", "c", "D", "d",
        "D", "d", "E", "e", "E", "e", "E", "e", "E", "e", "E", "e", "G", "g", "G", "g",
        "G", "g", "G", "g", "H", "h", "H", "h", "I", "i", "I", "i", "I", "i", "I", "i",
        "I", "i", "IJ", "ij", "J", "j", "K", "k", "k", "L", "l", "L", "l", "L", "l", "L",
        "l", "L", "l", "N", "n", "N", "n", "N", "n", "n", "N", "n", "O", "o", "O", "o",
        "O", "o", "OE", "oe", "R", "r", "R", "r", "R", "r", "S", "s", "S", "s", "S", "s",
        "S", "s", "T", "t", "T", "t", "T", "t", "U", "u", "U", "u", "U", "u", "U", "u",
        "U", "u", "U", "u", "W", "w", "Y", "y", "Y", "Z", "z", "Z", "z", "Z", "z", "s" };
    // clang-format on
    if( codePoint < 0xC0 || codePoint >= 0xC0 + sizeof( kapLatin ) / sizeof( kapLatin[ 0 ] ) )
        return codePoint == 0x192 ? "f" : nullptr;
    const char* kpLetters = kapLatin[ codePoint - 0xC0 ];
    return kpLetters[ 0 ] != 0 ? kpLetters : nullptr;
}

uint32_t textCodePagePoint( unsigned char byte )
{
    // 0x80 to 0x9F hold the code page's own characters; elsewhere it agrees with Latin-1.
    static const uint16_t kaHigh[ 32 ] = { 0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                           0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178 };
    if( byte >= 0x80 && byte < 0xA0 )
        return kaHigh[ byte - 0x80 ];
    return byte;
}
