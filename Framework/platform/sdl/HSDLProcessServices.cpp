#include "Framework/platform/sdl/HSDLProcessServices.h"

#include <SDL.h>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <pwd.h>
#include <unistd.h>

#include "Framework/util/src/HDefaultProcessServices.h"
#include "Framework/util/src/HText.h"

namespace
{
// The system shell reports success with codes above 32; SDL only says whether it tried.
const intptr_t kShellOpened = 33;

struct ButtonSet
{
    int count;
    SDL_MessageBoxButtonData buttons[ 3 ];
};

SDL_MessageBoxButtonData button( HMessageBoxAnswer answer, const char* kpText, Uint32 flags = 0 )
{
    SDL_MessageBoxButtonData data;
    data.flags = flags;
    data.buttonid = static_cast<int>( answer );
    data.text = kpText;
    return data;
}

// SDL lists buttons right to left on some systems; the order here is the reading order.
ButtonSet buttonsFor( HMessageBoxButtons buttons )
{
    const Uint32 kEnter = SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
    const Uint32 kEscape = SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    switch( buttons )
    {
    case MBB_ABORT_RETRY_IGNORE_STOP:
    case MBB_ABORT_RETRY_IGNORE:
        return { 3, { button( MBA_ABORT, "Abort" ), button( MBA_RETRY, "Retry" ), button( MBA_IGNORE, "Ignore", kEnter | kEscape ) } };
    case MBB_OK_CANCEL:
        return { 2, { button( MBA_OK, "OK", kEnter ), button( MBA_CANCEL, "Cancel", kEscape ), {} } };
    case MBB_YES_NO_CANCEL:
        return { 3, { button( MBA_YES, "Yes", kEnter ), button( MBA_NO, "No" ), button( MBA_CANCEL, "Cancel", kEscape ) } };
    case MBB_YES_NO:
        return { 2, { button( MBA_YES, "Yes", kEnter ), button( MBA_NO, "No", kEscape ), {} } };
    case MBB_RETRY_CANCEL:
        return { 2, { button( MBA_RETRY, "Retry", kEnter ), button( MBA_CANCEL, "Cancel", kEscape ), {} } };
    default:
        return { 1, { button( MBA_OK, "OK", kEnter | kEscape ), {}, {} } };
    }
}

Uint32 iconFlags( HMessageBoxIcon icon )
{
    switch( icon )
    {
    case MBI_STOP:
        return SDL_MESSAGEBOX_ERROR;
    case MBI_EXCLAMATION:
        return SDL_MESSAGEBOX_WARNING;
    default:
        return SDL_MESSAGEBOX_INFORMATION;
    }
}
}

HMessageBoxAnswer HSDLProcessServices::showMessageBox( const HMessageBoxRequest& request )
{
    ButtonSet set = buttonsFor( request.buttons );
    SDL_MessageBoxData data;
    std::memset( &data, 0, sizeof( data ) );
    data.flags = iconFlags( request.icon );
    data.window = nullptr;
    data.title = request.kpCaption;
    data.message = request.kpText;
    data.numbuttons = set.count;
    data.buttons = set.buttons;
    // SDL leaves the answer unwritten when it cannot show a box at all.
    int pressed = -1;
    if( SDL_ShowMessageBox( &data, &pressed ) != 0 || pressed < 0 )
        return MBA_NONE;
    return static_cast<HMessageBoxAnswer>( pressed );
}

bool HSDLProcessServices::isDebuggerAttached()
{
    FILE* pStatus = std::fopen( "/proc/self/status", "r" );
    if( pStatus == nullptr )
        return false;
    char line[ 256 ];
    bool attached = false;
    while( std::fgets( line, sizeof( line ), pStatus ) != nullptr )
    {
        int tracer = 0;
        if( std::sscanf( line, "TracerPid: %d", &tracer ) == 1 )
        {
            attached = tracer != 0;
            break;
        }
    }
    std::fclose( pStatus );
    return attached;
}

void HSDLProcessServices::debugBreakIfAttached()
{
    // Without a debugger a break would end the process: Retry then only answers Retry.
    if( isDebuggerAttached() )
        std::raise( SIGTRAP );
}

intptr_t HSDLProcessServices::shellOpen( const char* kpTarget )
{
    if( kpTarget == nullptr )
        return 0;
    // Success codes of the system shell are above 32.
    return SDL_OpenURL( kpTarget ) == 0 ? kShellOpened : 0;
}

char* HSDLProcessServices::getClipboardText( char* pBuffer, size_t size )
{
    if( pBuffer == nullptr || size == 0 || SDL_WasInit( SDL_INIT_VIDEO ) == 0 || !SDL_HasClipboardText() )
        return nullptr;
    char* pText = SDL_GetClipboardText();
    if( pText == nullptr )
        return nullptr;
    textCopy( pBuffer, size, pText );
    SDL_free( pText );
    return pBuffer;
}

uint64_t HSDLProcessServices::getTime()
{
    return HDefaultProcessServices::monotonicMilliseconds();
}

void HSDLProcessServices::sleep( uint32_t milliseconds )
{
    SDL_Delay( milliseconds );
}

char* HSDLProcessServices::getUserName( char* pBuffer, size_t size )
{
    if( pBuffer == nullptr || size == 0 )
        return nullptr;
    // getlogin fails without a terminal; the effective user's entry always exists.
    struct passwd* pEntry = ::getpwuid( ::geteuid() );
    if( pEntry == nullptr || pEntry->pw_name == nullptr || std::strlen( pEntry->pw_name ) >= size )
        return nullptr;
    return textCopy( pBuffer, size, pEntry->pw_name );
}

char* HSDLProcessServices::getExecutablePath( char* pBuffer, size_t size )
{
    if( pBuffer == nullptr || size < 2 )
        return nullptr;
    ssize_t length = ::readlink( "/proc/self/exe", pBuffer, size - 1 );
    if( length <= 0 || static_cast<size_t>( length ) >= size - 1 )
        return nullptr;
    pBuffer[ length ] = '\0';
    return pBuffer;
}

void HSDLProcessServices::debugOutput( const char* kpText )
{
    HDefaultProcessServices::debugOutputToStandardError( kpText );
}

char HSDLProcessServices::pathSeparator() const
{
    return '/';
}

namespace
{
bool isFolder( const std::string& path )
{
    struct stat info;
    return !path.empty() && ::stat( path.c_str(), &info ) == 0 && S_ISDIR( info.st_mode );
}

// The value of XDG_PICTURES_DIR in the desktop's user-dirs.dirs, with $HOME expanded; empty if none.
std::string picturesFromUserDirs( const std::string& home )
{
    const char* kpConfig = std::getenv( "XDG_CONFIG_HOME" );
    std::string config = kpConfig != nullptr && kpConfig[ 0 ] == '/' ? kpConfig : home + "/.config";
    std::ifstream in( config + "/user-dirs.dirs" );
    std::string line;
    const std::string key = "XDG_PICTURES_DIR=";
    while( std::getline( in, line ) )
    {
        size_t start = line.find_first_not_of( " \t" );
        if( start == std::string::npos || line.compare( start, key.size(), key ) != 0 )
            continue;
        std::string value = line.substr( start + key.size() );
        if( value.size() >= 2 && value.front() == '"' && value.back() == '"' )
            value = value.substr( 1, value.size() - 2 );
        if( value.compare( 0, 5, "$HOME" ) == 0 )
            value = home + value.substr( 5 );
        // The desktop's way of saying "no such folder" is the home folder itself.
        if( value.empty() || value[ 0 ] != '/' || value == home || value == home + "/" )
            return std::string();
        return value;
    }
    return std::string();
}
} // namespace

char* HSDLProcessServices::getPicturesFolder( char* pBuffer, size_t size )
{
    if( pBuffer == nullptr || size == 0 )
        return nullptr;
    const char* kpHome = std::getenv( "HOME" );
    if( kpHome == nullptr || kpHome[ 0 ] != '/' )
        return nullptr;
    std::string home = kpHome;
    for( const std::string& candidate : { picturesFromUserDirs( home ), home + "/Pictures" } )
    {
        if( isFolder( candidate ) && candidate.size() < size )
            return textCopy( pBuffer, size, candidate.c_str() );
    }
    return nullptr;
}
