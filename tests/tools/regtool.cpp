// regtool get-string NAME | get-binary NAME | set-string NAME TEXT | set-many PREFIX COUNT | hammer NAME
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Framework/util/src/HRegistry.h"

namespace
{
int usage()
{
    std::fprintf( stderr, "usage: regtool get-string|get-binary|set-string|set-many|hammer ...\n" );
    return 2;
}
}

int main( int argc, char** argv )
{
    if( argc < 3 )
        return usage();
    HRegistry& registry = HRegistry::get();
    registry.open( nullptr, "Vantorix", "Glimmerdrop" );
    std::string command = argv[ 1 ];
    const char* kpName = argv[ 2 ];

    if( command == "get-string" )
    {
        char text[ 256 ];
        if( !registry.readString( kpName, text, sizeof( text ) ) )
            return 1;
        std::printf( "%s\n", text );
        return 0;
    }
    if( command == "get-binary" )
    {
        unsigned char data[ 1024 ];
        uint32_t count = 0;
        if( !registry.readBinary( kpName, data, sizeof( data ), &count ) )
            return 1;
        for( uint32_t i = 0; i < count; ++i )
            std::printf( "%02x", data[ i ] );
        std::printf( "\n" );
        return 0;
    }
    if( command == "set-string" && argc >= 4 )
        return registry.writeString( kpName, argv[ 3 ] ) ? 0 : 1;
    if( command == "set-many" && argc >= 4 )
    {
        int count = std::atoi( argv[ 3 ] );
        for( int i = 0; i < count; ++i )
        {
            std::string name = std::string( kpName ) + std::to_string( i );
            if( !registry.writeString( name.c_str(), std::to_string( i ).c_str() ) )
                return 1;
        }
        return 0;
    }
    if( command == "hammer" )
    {
        // Rewrites one value for ever with a growing payload, until killed.
        for( unsigned n = 0;; ++n )
        {
            unsigned char data[ 44 ];
            std::memset( data, static_cast<int>( n & 0xFF ), sizeof( data ) );
            registry.writeBinary( kpName, data, sizeof( data ) );
            std::printf( "%u\n", n );
            std::fflush( stdout );
        }
    }
    return usage();
}
