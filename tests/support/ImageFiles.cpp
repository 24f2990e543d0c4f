#include "tests/support/ImageFiles.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "Framework/graphics/HImage.h"
#include "tests/support/TempDir.h"

RgbaPicture RgbaPicture::pattern( int w, int h, bool withAlpha )
{
    RgbaPicture picture( w, h );
    for( int y = 0; y < h; ++y )
    {
        for( int x = 0; x < w; ++x )
        {
            uint8_t* p = picture.at( x, y );
            p[ 0 ] = static_cast<uint8_t>( x * 37 + y * 11 );
            p[ 1 ] = static_cast<uint8_t>( y * 53 + x * 3 + 7 );
            p[ 2 ] = static_cast<uint8_t>( ( x ^ y ) * 29 + 100 );
            p[ 3 ] = withAlpha ? static_cast<uint8_t>( ( x * 71 + y * 13 ) | 1 ) : 255;
        }
    }
    return picture;
}

bool writePPM( const std::string& path, const RgbaPicture& picture )
{
    std::ofstream out( path, std::ios::binary );
    out << "P6\n" << picture.width << " " << picture.height << "\n255\n";
    for( size_t i = 0; i < picture.rgba.size(); i += 4 )
        out.write( reinterpret_cast<const char*>( &picture.rgba[ i ] ), 3 );
    return static_cast<bool>( out );
}

bool writePAM( const std::string& path, const RgbaPicture& picture )
{
    std::ofstream out( path, std::ios::binary );
    out << "P7\nWIDTH " << picture.width << "\nHEIGHT " << picture.height
        << "\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
    out.write( reinterpret_cast<const char*>( picture.rgba.data() ),
               static_cast<std::streamsize>( picture.rgba.size() ) );
    return static_cast<bool>( out );
}

namespace
{
// The next header token, skipping white space and comments.
std::string token( std::istream& in )
{
    std::string word;
    char c;
    while( in.get( c ) )
    {
        if( c == '#' )
        {
            std::string ignored;
            std::getline( in, ignored );
            continue;
        }
        if( std::isspace( static_cast<unsigned char>( c ) ) )
        {
            if( !word.empty() )
                break;
            continue;
        }
        word += c;
    }
    return word;
}
} // namespace

bool readPNM( const std::string& path, RgbaPicture& picture )
{
    std::ifstream in( path, std::ios::binary );
    std::string magic = token( in );
    int width = 0;
    int height = 0;
    int channels = 0;
    if( magic == "P6" || magic == "P5" )
    {
        width = std::stoi( token( in ) );
        height = std::stoi( token( in ) );
        if( token( in ) != "255" )
            return false;
        channels = magic == "P6" ? 3 : 1;
    }
    else if( magic == "P7" )
    {
        for( std::string key = token( in ); key != "ENDHDR" && !key.empty(); key = token( in ) )
        {
            std::string value = key == "TUPLTYPE" ? token( in ) : key == "ENDHDR" ? "" : token( in );
            if( key == "WIDTH" )
                width = std::stoi( value );
            else if( key == "HEIGHT" )
                height = std::stoi( value );
            else if( key == "DEPTH" )
                channels = std::stoi( value );
            else if( key == "MAXVAL" && value != "255" )
                return false;
        }
        if( channels < 1 || channels > 4 )
            return false;
    }
    else
        return false;
    picture = RgbaPicture( width, height );
    std::vector<uint8_t> bytes( static_cast<size_t>( width ) * height * channels );
    in.read( reinterpret_cast<char*>( bytes.data() ), static_cast<std::streamsize>( bytes.size() ) );
    if( !in )
        return false;
    bool grey = channels < 3;
    bool alpha = channels == 2 || channels == 4;
    for( size_t i = 0; i < static_cast<size_t>( width ) * height; ++i )
    {
        const uint8_t* kp = &bytes[ i * channels ];
        for( int c = 0; c < 3; ++c )
            picture.rgba[ i * 4 + c ] = kp[ grey ? 0 : c ];
        picture.rgba[ i * 4 + 3 ] = alpha ? kp[ channels - 1 ] : 255;
    }
    return true;
}

std::string tgaBytes( uint8_t imageType, int16_t width, int16_t height, uint8_t depth, const std::string& pixels,
                      const std::string& imageId, uint8_t colourMapType, uint16_t mapEntries, uint8_t mapEntryBits )
{
    std::string header( 18, '\0' );
    header[ 0 ] = static_cast<char>( imageId.size() );
    header[ 1 ] = static_cast<char>( colourMapType );
    header[ 2 ] = static_cast<char>( imageType );
    header[ 5 ] = static_cast<char>( mapEntries & 0xFF );
    header[ 6 ] = static_cast<char>( mapEntries >> 8 );
    header[ 7 ] = static_cast<char>( mapEntryBits );
    header[ 12 ] = static_cast<char>( static_cast<uint16_t>( width ) & 0xFF );
    header[ 13 ] = static_cast<char>( static_cast<uint16_t>( width ) >> 8 );
    header[ 14 ] = static_cast<char>( static_cast<uint16_t>( height ) & 0xFF );
    header[ 15 ] = static_cast<char>( static_cast<uint16_t>( height ) >> 8 );
    header[ 16 ] = static_cast<char>( depth );
    std::string map( static_cast<size_t>( mapEntries ) * ( ( mapEntryBits + 7 ) / 8 ), '\x55' );
    return header + imageId + map + pixels;
}

RgbaPicture pictureOf( const HImage& image )
{
    RgbaPicture picture( image.getWidth(), image.getHeight() );
    for( int y = 0; y < image.getHeight(); ++y )
    {
        for( int x = 0; x < image.getWidth(); ++x )
            image.getPixelRGBA( x, y, picture.at( x, y ) );
    }
    return picture;
}

bool tool( const std::string& command )
{
    return runCommand( "( " + command + " ) >/dev/null 2>&1" ) == 0;
}

std::string corpusDir()
{
    namespace fs = std::filesystem;
    if( const char* kpDir = std::getenv( "GLIMMERDROP_CORPUS" ) )
        return kpDir;
    fs::path here = fs::absolute( GLIMMERDROP_SOURCE_DIR );
    for( int up = 0; up < 4 && !here.empty(); ++up )
    {
        fs::path candidate = here / "shared" / "corpus";
        if( fs::is_directory( candidate ) )
            return candidate.string();
        here = here.parent_path();
    }
    return "";
}

std::string readFileBytes( const std::string& path )
{
    std::ifstream in( path, std::ios::binary );
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}
