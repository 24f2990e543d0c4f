// Arbitrary arguments for the program's switches: the bytes split at NULs into at most 32 words.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "Framework/application/HCommandLine.h"

extern "C" int LLVMFuzzerTestOneInput( const uint8_t* kpData, size_t size )
{
    if( size > 4096 )
        return 0;
    std::vector<std::string> words( 1, "glimmerdrop" );
    std::string word;
    for( size_t i = 0; i <= size && words.size() < 32; ++i )
    {
        if( i == size || kpData[ i ] == 0 )
        {
            words.push_back( word );
            word.clear();
        }
        else
            word += static_cast<char>( kpData[ i ] );
    }
    std::vector<const char*> arguments;
    for( const std::string& each : words )
        arguments.push_back( each.c_str() );
    arguments.push_back( nullptr );
    static std::FILE* s_pSink = std::fopen( "/dev/null", "w" );
    HCommandLine::check( static_cast<int>( words.size() ), arguments.data(), "1.50.07", s_pSink, s_pSink );
    return 0;
}
