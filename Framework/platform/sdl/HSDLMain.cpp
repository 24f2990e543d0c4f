// The process entry on Linux. The one application object is a global of the program (the game
// defines it); this finds it through HApplication::getInstance and runs it.
#define SDL_MAIN_HANDLED
#include <SDL.h>

#include <cerrno>
#include <csignal>
#include <semaphore.h>
#include <string>
#include <thread>

#include "Framework/application/HApplication.h"
#include "Framework/application/HCommandLine.h"
#include "Framework/application/HEventQueue.h"
#include "Framework/audio/HAudioDevice.h"
#include "Framework/platform/sdl/HSDLAudioDevice.h"
#include "Framework/platform/sdl/HSDLInputDevice.h"
#include "Framework/platform/sdl/HSDLProcessServices.h"
#include "Framework/util/src/HLog.h"
#include "Framework/util/src/HText.h"

namespace
{
#if !defined( __EMSCRIPTEN__ )
sem_t s_signalled;

// Only async-signal-safe calls here: the flag, then a post that wakes the thread below.
// The handler is reset on entry, so a second signal ends a process that no longer responds.
void onEndSignal( int )
{
    int savedErrno = errno;
    HEventQueue::requestQuit();
    sem_post( &s_signalled );
    errno = savedErrno;
}

// Outside the handler SDL may be called: an event wakes a loop blocked waiting for SDL's events.
void wakeOnSignal()
{
    for( ;; )
    {
        if( sem_wait( &s_signalled ) != 0 )
        {
            if( errno == EINTR )
                continue;
            return;
        }
        SDL_Event wake = {};
        wake.type = SDL_USEREVENT;
        SDL_PushEvent( &wake );
    }
}
#endif

// SIGTERM and SIGINT end the run as closing the window does, so settings and scores are kept.
// Installed before SDL starts, with SDL's own handlers turned off: they push a quit that nobody
// reads while a journal plays back.
void handleEndSignals()
{
#if defined( __EMSCRIPTEN__ )
    // A page gets no signals, and has no thread to wait for one.
#else
    SDL_SetHint( SDL_HINT_NO_SIGNAL_HANDLERS, "1" );
    if( sem_init( &s_signalled, 0, 0 ) != 0 )
        return;
    std::thread( wakeOnSignal ).detach();
    struct sigaction action = {};
    action.sa_handler = onEndSignal;
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    sigemptyset( &action.sa_mask );
    sigaction( SIGTERM, &action, nullptr );
    sigaction( SIGINT, &action, nullptr );
#endif
}
} // namespace

int main( int argc, char** argv )
{
    int answer = HCommandLine::check( argc, argv, GLIMMERDROP_VERSION, stdout, stderr );
    if( answer != HCommandLine::kRun )
        return answer;
    SDL_SetMainReady();
    handleEndSignals();
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
