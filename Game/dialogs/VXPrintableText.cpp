#include "Game/dialogs/VXPrintableText.h"

char VXPrintableFilter::take( unsigned char byte )
{
    if( byte >= 32 && byte <= 126 )
    {
        m_continuations = 0;
        return static_cast<char>( byte );
    }
    if( byte < 32 || byte == 127 )
    {
        m_continuations = 0;
        return 0;
    }
    if( byte <= 0xBF )
    {
        if( m_continuations > 0 )
        {
            --m_continuations;
            return 0;
        }
        return '?';
    }
    // A lead byte of a UTF-8 sequence; in a single-byte code page it is one character, which
    // the byte after it (not a continuation) shows as well.
    m_continuations = byte >= 0xF8 ? 0 : byte >= 0xF0 ? 3 : byte >= 0xE0 ? 2 : 1;
    return '?';
}

size_t makePrintable( char* pDest, size_t size, const char* kpSource, size_t sourceLength )
{
    if( pDest == nullptr || size == 0 )
        return 0;
    size_t length = 0;
    VXPrintableFilter filter;
    for( size_t i = 0; kpSource != nullptr && i < sourceLength && length + 1 < size; ++i )
    {
        unsigned char byte = static_cast<unsigned char>( kpSource[ i ] );
        if( byte == 0 || byte == '\n' || byte == '\r' )
            break;
        char kept = filter.take( byte == '\t' ? ' ' : byte );
        if( kept != 0 )
            pDest[ length++ ] = kept;
    }
    pDest[ length ] = '\0';
    return length;
}
