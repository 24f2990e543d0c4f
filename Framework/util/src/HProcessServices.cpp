#include "Framework/util/src/HProcessServices.h"

#include <cstdio>
#include <cstdlib>

#include "Framework/util/src/HDefaultProcessServices.h"

namespace
{
HProcessServices* s_pInstalled = nullptr;
bool s_quitUnderWay = false;

[[noreturn]] void exitProcess( int exitCode )
{
    // Static destructors could meet the audio thread still running; end at once.
    std::fflush( nullptr );
    std::_Exit( exitCode );
}

void ( *s_pExitHandler )( int ) = nullptr;

HMessageBoxAnswer answerWithoutBox( const HMessageBoxRequest& request )
{
    std::fprintf( stderr, "[%s] %s\n", request.kpCaption != nullptr ? request.kpCaption : "",
                  request.kpText != nullptr ? request.kpText : "" );
    switch( request.buttons )
    {
    case MBB_ABORT_RETRY_IGNORE_STOP:
    case MBB_ABORT_RETRY_IGNORE:
        return MBA_IGNORE;
    case MBB_YES_NO_CANCEL:
    case MBB_YES_NO:
        return MBA_YES;
    case MBB_RETRY_CANCEL:
        return MBA_CANCEL;
    default:
        return MBA_OK;
    }
}
}

HProcessServices::~HProcessServices() = default;

char* HProcessServices::getPicturesFolder( char* pBuffer, size_t size )
{
    ( void )pBuffer;
    ( void )size;
    return nullptr;
}

HProcessServices& processServices()
{
    static HDefaultProcessServices s_default;
    return s_pInstalled != nullptr ? *s_pInstalled : s_default;
}

void setProcessServices( HProcessServices* pServices )
{
    s_pInstalled = pServices;
}

bool isQuitUnderWay()
{
    return s_quitUnderWay;
}

void setMessageBoxExitHandler( void ( *pHandler )( int exitCode ) )
{
    s_pExitHandler = pHandler;
}

void resetQuitUnderWay()
{
    s_quitUnderWay = false;
}

int processMessageBox( uint32_t flags, const char* kpCaption, const char* kpText )
{
    if( s_quitUnderWay )
        return MBR_QUIT;

    HMessageBoxRequest request;
    request.flags = flags;
    uint32_t buttons = flags & 0x0Fu;
    request.buttons = buttons >= MBB_SYSTEM_STYLE ? MBB_SYSTEM_STYLE : static_cast<HMessageBoxButtons>( buttons );
    uint32_t icon = ( flags >> 4 ) & 0x0Fu;
    request.icon = icon <= MBI_INFORMATION ? static_cast<HMessageBoxIcon>( icon ) : MBI_NONE;
    if( request.buttons == MBB_ABORT_RETRY_IGNORE_STOP )
        request.icon = MBI_STOP;
    request.kpCaption = kpCaption != nullptr ? kpCaption : "";
    request.kpText = kpText != nullptr ? kpText : "";

    HMessageBoxAnswer answer = processServices().showMessageBox( request );
    if( answer == MBA_NONE )
        answer = answerWithoutBox( request );

    switch( answer )
    {
    case MBA_OK:
        return MBR_OK;
    case MBA_CANCEL:
        return MBR_CANCEL;
    case MBA_IGNORE:
        return MBR_IGNORE;
    case MBA_YES:
        return MBR_YES;
    case MBA_NO:
        return MBR_NO;
    case MBA_RETRY:
        processServices().debugBreakIfAttached();
        return MBR_RETRY;
    case MBA_ABORT:
        s_quitUnderWay = true;
        if( s_pExitHandler != nullptr )
        {
            s_pExitHandler( 1 );
            return MBR_QUIT;
        }
        exitProcess( 1 );
    default:
        return static_cast<int>( flags );
    }
}
