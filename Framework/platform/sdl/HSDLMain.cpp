// The process entry on Linux. The one application object is a global of the program (the game
// defines it); this finds it through HApplication::getInstance and runs it.
#define SDL_MAIN_HANDLED
#include <SDL.h>

#include <string>

#include "Framework/application/HApplication.h"
#include "Framework/application/HCommandLine.h"
#include "Framework/audio/HAudioDevice.h"
#include "Framework/platform/sdl/HSDLAudioDevice.h"
#include "Framework/platform/sdl/HSDLInputDevice.h"
#include "Framework/platform/sdl/HSDLProcessServices.h"
#include "Framework/util/src/HLog.h"
#include "Framework/util/src/HText.h"

int main( int argc, char** argv )
{
    int answer = HCommandLine::check( argc, argv, GLIMMERDROP_VERSION, stdout, stderr );
    if( answer != HCommandLine::kRun )
        return answer;
    SDL_SetMainReady();
    static HSDLProcessServices s_services;
    setProcessServices( &s_services );
    HInputDevice::setProvider( HSDLInputDevice::obtain );
    setPlatformAudioDeviceFactory( &HSDLAudioDevice::create );

    // Switches are found by substring, so the arguments are simply joined with single spaces.
    std::string line;
    for( int i = 1; i < argc; ++i )
    {
        if( i > 1 )
            line += ' ';
        line += argv[ i ];
    }
    char cmdLine[ 1024 ];
    textCopy( cmdLine, sizeof( cmdLine ), line.c_str() );
    if( line.size() >= sizeof( cmdLine ) )
        logMessage( "...command line cut to %u characters\n", static_cast<unsigned>( sizeof( cmdLine ) - 1 ) );

    char executable[ 1024 ];
    if( processServices().getExecutablePath( executable, sizeof( executable ) ) == nullptr )
        textCopy( executable, sizeof( executable ), argc > 0 ? argv[ 0 ] : "" );

    int result = HApplication::runProcess( cmdLine, executable );
    SDL_Quit();
    // The application object outlives main; whatever it says while it goes uses the default services.
    setProcessServices( nullptr );
    return result;
}
