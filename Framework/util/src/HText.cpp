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
