// mkicon OUTPUT.ico: the program's window icon for the Windows build's resources.
#include <cstdio>

#include "tools/mkicon/IconWriter.h"

int main( int argc, char** argv )
{
    if( argc != 2 )
    {
        std::fprintf( stderr, "usage: mkicon OUTPUT.ico\n" );
        return 2;
    }
    if( !IconWriter::write( argv[ 1 ], { 16, 32, 48 } ) )
    {
        std::fprintf( stderr, "mkicon: could not write '%s'\n", argv[ 1 ] );
        return 1;
    }
    return 0;
}
