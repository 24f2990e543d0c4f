// Registry export text as a hand or another program may leave it. Whatever is read must survive
// the game's rewrite: parse, write, parse again gives the same keys and values, and the written
// text reads without a single unreadable line.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Framework/util/src/HRegistryDocument.h"

namespace
{
[[noreturn]] void fail( const char* kpWhat, const std::string& written )
{
    std::fprintf( stderr, "registry round trip: %s\n--- written ---\n%s\n", kpWhat, written.c_str() );
    std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput( const uint8_t* kpData, size_t size )
{
    if( size > ( 1u << 20 ) )
        return 0;
    HRegistryDocument first;
    first.parse( std::string( reinterpret_cast<const char*>( kpData ), size ) );
    std::string written = first.serialize();
    HRegistryDocument second;
    if( !second.parse( written ) )
        fail( "the written text has unreadable lines", written );
    if( second.keys().size() != first.keys().size() )
        fail( "keys lost or added", written );
    for( size_t k = 0; k < first.keys().size(); ++k )
    {
        const HRegistryKey& before = first.keys()[ k ];
        const HRegistryKey& after = second.keys()[ k ];
        if( before.name != after.name || before.values.size() != after.values.size() )
            fail( "a key changed", written );
        for( size_t v = 0; v < before.values.size(); ++v )
        {
            if( before.values[ v ].name != after.values[ v ].name || before.values[ v ].type != after.values[ v ].type ||
                before.values[ v ].data != after.values[ v ].data )
                fail( "a value changed", written );
        }
    }
    if( second.serialize() != written )
        fail( "writing again gives other text", written );
    return 0;
}
