// mkicon OUTPUT.ico: the program's window icon for the Windows build's resources.
// mkicon --theme DIR NAME SIZE...: the same drawing at each size of a desktop icon theme, as PNG files.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "tools/mkicon/IconWriter.h"

int main( int argc, char** argv )
{
    if( argc >= 5 && std::strcmp( argv[ 1 ], "--theme" ) == 0 )
    {
        std::vector<int32_t> sizes;
        for( int i = 4; i < argc; ++i )
        {
            char* pEnd = nullptr;
            long size = std::strtol( argv[ i ], &pEnd, 10 );
            if( *pEnd != '\0' || size < 1 || size > 1024 )
            {
                std::fprintf( stderr, "mkicon: '%s' is no icon size\n", argv[ i ] );
                return 2;
            }
            sizes.push_back( static_cast<int32_t>( size ) );
        }
        if( !IconWriter::writeThemeIcons( argv[ 2 ], argv[ 3 ], sizes ) )
        {
            std::fprintf( stderr, "mkicon: could not write the icons under '%s'\n", argv[ 2 ] );
            return 1;
        }
        return 0;
    }
    if( argc != 2 )
    {
        std::fprintf( stderr, "usage: mkicon OUTPUT.ico\n       mkicon --theme DIR NAME SIZE...\n" );
        return 2;
    }
    if( !IconWriter::write( argv[ 1 ], { 16, 32, 48 } ) )
    {
        std::fprintf( stderr, "mkicon: could not write '%s'\n", argv[ 1 ] );
        return 1;
    }
    return 0;
}
