#include "Framework/util/src/HRegistryDocument.h"

#include <cstdio>

#include "Framework/util/src/HRegistry.h"

namespace
{
const char kHeader[] = "REGEDIT4";
const char kHeaderV5[] = "Windows Registry Editor Version 5.00";
const size_t kWrapColumn = 76;

bool sameNoCase( const std::string& a, const std::string& b )
{
    if( a.size() != b.size() )
        return false;
    for( size_t i = 0; i < a.size(); ++i )
    {
        char ca = a[ i ], cb = b[ i ];
        if( ca >= 'A' && ca <= 'Z' )
            ca = static_cast<char>( ca - 'A' + 'a' );
        if( cb >= 'A' && cb <= 'Z' )
            cb = static_cast<char>( cb - 'A' + 'a' );
        if( ca != cb )
            return false;
    }
    return true;
}

std::string trim( const std::string& text )
{
    size_t begin = text.find_first_not_of( " \t" );
    if( begin == std::string::npos )
        return std::string();
    size_t end = text.find_last_not_of( " \t" );
    return text.substr( begin, end - begin + 1 );
}

std::string trimRight( const std::string& text )
{
    size_t end = text.find_last_not_of( " \t" );
    return end == std::string::npos ? std::string() : text.substr( 0, end + 1 );
}

// Reads a quoted text with \\ and \" escapes starting at pos (on the opening quote).
// On success pos is just past the closing quote. A NUL, raw or escaped, could never be
// written back inside quotes, so it makes the text unreadable.
bool readQuoted( const std::string& line, size_t& pos, std::string& out )
{
    if( pos >= line.size() || line[ pos ] != '"' )
        return false;
    out.clear();
    for( size_t i = pos + 1; i < line.size(); ++i )
    {
        char c = line[ i ];
        if( c == '\\' )
        {
            if( i + 1 >= line.size() )
                return false;
            char next = line[ ++i ];
            if( next == '\0' )
                return false;
            if( next != '\\' && next != '"' )
                out += '\\';
            out += next;
            continue;
        }
        if( c == '"' )
        {
            pos = i + 1;
            return true;
        }
        if( c == '\0' )
            return false;
        out += c;
    }
    return false;
}

// Only hex data may continue on the next line; a stray backslash elsewhere must not
// swallow the following value. The name is skipped as quoted text, since it may hold '='.
bool startsHexValue( const std::string& line )
{
    size_t pos = line.find_first_not_of( " \t" );
    if( pos == std::string::npos )
        return false;
    if( line[ pos ] == '@' )
        ++pos;
    else
    {
        std::string name;
        if( !readQuoted( line, pos, name ) )
            return false;
    }
    pos = line.find_first_not_of( " \t", pos );
    if( pos == std::string::npos || line[ pos ] != '=' )
        return false;
    size_t data = line.find_first_not_of( " \t", pos + 1 );
    return data != std::string::npos && line.compare( data, 3, "hex" ) == 0;
}

// Splits into lines (LF or CRLF) and joins hex continuations that end in a backslash.
// A continuation still open at the end means the file was cut short.
std::vector<std::string> logicalLines( const std::string& text, bool& cutShort )
{
    std::vector<std::string> lines;
    std::string current;
    bool continuing = false;
    size_t pos = 0;
    while( pos <= text.size() )
    {
        size_t end = text.find( '\n', pos );
        if( end == std::string::npos )
            end = text.size();
        std::string line = text.substr( pos, end - pos );
        pos = end + 1;
        if( !line.empty() && line.back() == '\r' )
            line.pop_back();

        std::string piece = trimRight( continuing ? trim( line ) : line );
        bool mayContinue = continuing || startsHexValue( piece );
        if( mayContinue && !piece.empty() && piece.back() == '\\' )
        {
            piece.pop_back();
            current += piece;
            continuing = true;
            continue;
        }
        current += piece;
        lines.push_back( current );
        current.clear();
        continuing = false;
    }
    cutShort = continuing;
    if( continuing )
        lines.push_back( current );
    return lines;
}

int hexDigit( char c )
{
    if( c >= '0' && c <= '9' )
        return c - '0';
    if( c >= 'a' && c <= 'f' )
        return c - 'a' + 10;
    if( c >= 'A' && c <= 'F' )
        return c - 'A' + 10;
    return -1;
}

bool parseHexBytes( const std::string& text, std::vector<uint8_t>& out )
{
    out.clear();
    std::string body = trim( text );
    if( body.empty() )
        return true;
    size_t pos = 0;
    while( pos <= body.size() )
    {
        size_t comma = body.find( ',', pos );
        if( comma == std::string::npos )
            comma = body.size();
        std::string byte = trim( body.substr( pos, comma - pos ) );
        if( byte.empty() && comma == body.size() && !out.empty() )
            break; // a trailing comma
        if( byte.size() != 2 && byte.size() != 1 )
            return false;
        int value = 0;
        for( char c : byte )
        {
            int digit = hexDigit( c );
            if( digit < 0 )
                return false;
            value = value * 16 + digit;
        }
        out.push_back( static_cast<uint8_t>( value ) );
        pos = comma + 1;
    }
    return true;
}

bool parseHexNumber( const std::string& text, uint32_t& value, size_t maxDigits )
{
    std::string digits = trim( text );
    if( digits.empty() || digits.size() > maxDigits )
        return false;
    value = 0;
    for( char c : digits )
    {
        int digit = hexDigit( c );
        if( digit < 0 )
            return false;
        value = value * 16u + static_cast<uint32_t>( digit );
    }
    return true;
}

std::string quote( const std::string& text )
{
    std::string out = "\"";
    for( char c : text )
    {
        if( c == '\\' || c == '"' )
            out += '\\';
        out += c;
    }
    out += '"';
    return out;
}

// Plain quoted text is used only where it reads back byte for byte.
bool isPlainText( const std::vector<uint8_t>& data )
{
    if( data.empty() || data.back() != 0 )
        return false;
    for( size_t i = 0; i + 1 < data.size(); ++i )
    {
        if( data[ i ] < 0x20 || data[ i ] == 0x7F )
            return false;
    }
    return true;
}

void appendHex( std::string& out, const std::string& prefix, const std::vector<uint8_t>& data )
{
    std::string line = prefix;
    for( size_t i = 0; i < data.size(); ++i )
    {
        char byte[ 4 ];
        std::snprintf( byte, sizeof( byte ), "%02x", data[ i ] );
        bool last = i + 1 == data.size();
        if( line.size() + 3 > kWrapColumn && !last )
        {
            out += line + "\\\n";
            line = "  ";
        }
        line += byte;
        if( !last )
            line += ',';
    }
    out += line + "\n";
}
}

HRegistryDocument::HRegistryDocument()
    : m_errorCount( 0 )
{
}

bool HRegistryDocument::parse( const std::string& text )
{
    m_keys.clear();
    m_errorCount = 0;
    bool cutShort = false;
    std::vector<std::string> lines = logicalLines( text, cutShort );
    if( cutShort )
        ++m_errorCount;

    bool seenHeader = false;
    HRegistryKey* pKey = nullptr;
    for( const std::string& rawLine : lines )
    {
        std::string line = trim( rawLine );
        if( line.empty() || line[ 0 ] == ';' )
            continue;
        if( !seenHeader )
        {
            seenHeader = true;
            std::string header = line;
            // A byte-order mark from an editor is not part of the header.
            if( header.compare( 0, 3, "\xEF\xBB\xBF" ) == 0 )
                header = header.substr( 3 );
            if( header == kHeader || header == kHeaderV5 )
                continue;
            ++m_errorCount;
        }
        if( line[ 0 ] == '[' )
        {
            pKey = nullptr;
            if( line.back() != ']' || line.size() < 3 )
            {
                ++m_errorCount;
                continue;
            }
            if( line[ 1 ] == '-' )
                continue; // a deletion request; nothing to keep
            std::string name = line.substr( 1, line.size() - 2 );
            for( HRegistryKey& key : m_keys )
            {
                if( sameNoCase( key.name, name ) )
                    pKey = &key;
            }
            if( pKey == nullptr )
            {
                m_keys.push_back( HRegistryKey{ name, {} } );
                pKey = &m_keys.back();
            }
            continue;
        }
        m_parseValueLine( line, pKey );
    }
    if( !seenHeader && !text.empty() )
        ++m_errorCount;
    return m_errorCount == 0;
}

void HRegistryDocument::m_parseValueLine( const std::string& line, HRegistryKey* pKey )
{
    if( pKey == nullptr )
    {
        ++m_errorCount;
        return;
    }
    HRegistryValue value;
    size_t pos = 0;
    if( line[ 0 ] == '@' )
        pos = 1;
    else if( !readQuoted( line, pos, value.name ) )
    {
        ++m_errorCount;
        return;
    }
    while( pos < line.size() && ( line[ pos ] == ' ' || line[ pos ] == '\t' ) )
        ++pos;
    if( pos >= line.size() || line[ pos ] != '=' )
    {
        ++m_errorCount;
        return;
    }
    std::string data = trim( line.substr( pos + 1 ) );

    bool ok = false;
    if( data == "-" )
        return; // a deletion request
    if( !data.empty() && data[ 0 ] == '"' )
    {
        std::string text;
        size_t end = 0;
        ok = readQuoted( data, end, text ) && trim( data.substr( end ) ).empty();
        value.type = RVT_SZ;
        value.data.assign( text.begin(), text.end() );
        value.data.push_back( 0 );
    }
    else if( data.compare( 0, 4, "hex:" ) == 0 )
    {
        value.type = RVT_BINARY;
        ok = parseHexBytes( data.substr( 4 ), value.data );
    }
    else if( data.compare( 0, 4, "hex(" ) == 0 )
    {
        size_t close = data.find( "):" );
        uint32_t type = 0;
        ok = close != std::string::npos && parseHexNumber( data.substr( 4, close - 4 ), type, 8 ) &&
             parseHexBytes( data.substr( close + 2 ), value.data );
        value.type = type;
    }
    else if( data.compare( 0, 6, "dword:" ) == 0 )
    {
        uint32_t number = 0;
        ok = parseHexNumber( data.substr( 6 ), number, 8 );
        value.type = RVT_DWORD;
        for( int i = 0; i < 4; ++i )
            value.data.push_back( static_cast<uint8_t>( number >> ( 8 * i ) ) );
    }
    if( !ok )
    {
        ++m_errorCount;
        return;
    }
    for( HRegistryValue& existing : pKey->values )
    {
        if( sameNoCase( existing.name, value.name ) )
        {
            existing = value;
            return;
        }
    }
    pKey->values.push_back( value );
}

std::string HRegistryDocument::serialize() const
{
    std::string out = std::string( kHeader ) + "\n";
    for( const HRegistryKey& key : m_keys )
    {
        out += "\n[" + key.name + "]\n";
        for( const HRegistryValue& value : key.values )
        {
            std::string prefix = value.name.empty() ? std::string( "@" ) : quote( value.name );
            prefix += '=';
            if( value.type == RVT_SZ && isPlainText( value.data ) )
            {
                out += prefix + quote( std::string( value.data.begin(), value.data.end() - 1 ) ) + "\n";
            }
            else if( value.type == RVT_DWORD && value.data.size() == 4 )
            {
                char number[ 16 ];
                uint32_t v = static_cast<uint32_t>( value.data[ 0 ] ) | ( static_cast<uint32_t>( value.data[ 1 ] ) << 8 ) |
                             ( static_cast<uint32_t>( value.data[ 2 ] ) << 16 ) |
                             ( static_cast<uint32_t>( value.data[ 3 ] ) << 24 );
                std::snprintf( number, sizeof( number ), "%08x", v );
                out += prefix + "dword:" + number + "\n";
            }
            else if( value.type == RVT_BINARY )
            {
                appendHex( out, prefix + "hex:", value.data );
            }
            else
            {
                char type[ 24 ];
                std::snprintf( type, sizeof( type ), "hex(%x):", value.type );
                appendHex( out, prefix + type, value.data );
            }
        }
    }
    out += "\n";
    return out;
}

const HRegistryValue* HRegistryDocument::find( const std::string& keyName, const std::string& valueName ) const
{
    for( const HRegistryKey& key : m_keys )
    {
        if( !sameNoCase( key.name, keyName ) )
            continue;
        for( const HRegistryValue& value : key.values )
        {
            if( sameNoCase( value.name, valueName ) )
                return &value;
        }
    }
    return nullptr;
}

void HRegistryDocument::set( const std::string& keyName, const std::string& valueName, uint32_t type,
                             const std::vector<uint8_t>& data )
{
    HRegistryKey* pKey = nullptr;
    for( HRegistryKey& key : m_keys )
    {
        if( sameNoCase( key.name, keyName ) )
            pKey = &key;
    }
    if( pKey == nullptr )
    {
        m_keys.push_back( HRegistryKey{ keyName, {} } );
        pKey = &m_keys.back();
    }
    for( HRegistryValue& existing : pKey->values )
    {
        if( sameNoCase( existing.name, valueName ) )
        {
            existing.type = type;
            existing.data = data;
            return;
        }
    }
    pKey->values.push_back( HRegistryValue{ valueName, type, data } );
}
