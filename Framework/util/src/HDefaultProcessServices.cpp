#include "Framework/util/src/HDefaultProcessServices.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

HMessageBoxAnswer HDefaultProcessServices::showMessageBox( const HMessageBoxRequest& )
{
    return MBA_NONE;
}

void HDefaultProcessServices::debugBreakIfAttached()
{
}

intptr_t HDefaultProcessServices::shellOpen( const char* )
{
    return 0;
}

char* HDefaultProcessServices::getClipboardText( char*, size_t )
{
    return nullptr;
}

uint64_t HDefaultProcessServices::getTime()
{
    return monotonicMilliseconds();
}

void HDefaultProcessServices::sleep( uint32_t milliseconds )
{
    std::this_thread::sleep_for( std::chrono::milliseconds( milliseconds ) );
}

char* HDefaultProcessServices::getUserName( char*, size_t )
{
    return nullptr;
}

char* HDefaultProcessServices::getExecutablePath( char*, size_t )
{
    return nullptr;
}

void HDefaultProcessServices::debugOutput( const char* kpText )
{
    debugOutputToStandardError( kpText );
}

char HDefaultProcessServices::pathSeparator() const
{
    return '/';
}

uint64_t HDefaultProcessServices::monotonicMilliseconds()
{
    auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>( sinceStart ).count();
    return static_cast<uint64_t>( ms ) & 0xFFFFFFFFull;
}

void HDefaultProcessServices::debugOutputToStandardError( const char* kpText )
{
    static const bool s_enabled = std::getenv( "GLIMMERDROP_DEBUG" ) != nullptr;
    if( s_enabled && kpText != nullptr )
    {
        std::fputs( kpText, stderr );
        std::fflush( stderr );
    }
}
