#include "tests/support/RecordingProcessServices.h"

#include "Framework/util/src/HLog.h"
#include "Framework/util/src/HText.h"

namespace
{
RecordingProcessServices* s_pCurrent = nullptr;

void recordExit( int code )
{
    if( s_pCurrent != nullptr )
        s_pCurrent->exitCodes.push_back( code );
}

void recordTrace( const char* kpText )
{
    RecordingProcessServices::debugTraces().push_back( kpText );
}
}

std::vector<std::string>& RecordingProcessServices::debugTraces()
{
    static std::vector<std::string> s_traces;
    return s_traces;
}

RecordingProcessServices::RecordingProcessServices()
{
    s_pCurrent = this;
    setProcessServices( this );
    setMessageBoxExitHandler( recordExit );
    resetQuitUnderWay();
    resetVerifyFailed();
    debugTraces().clear();
    setDebugTraceListener( recordTrace );
}

RecordingProcessServices::~RecordingProcessServices()
{
    setDebugTraceListener( nullptr );
    setMessageBoxExitHandler( nullptr );
    resetQuitUnderWay();
    resetVerifyFailed();
    setProcessServices( nullptr );
    s_pCurrent = nullptr;
}

HMessageBoxAnswer RecordingProcessServices::showMessageBox( const HMessageBoxRequest& request )
{
    boxes.push_back( Box{ request.flags, request.buttons, request.icon, request.kpCaption, request.kpText } );
    return answer;
}

void RecordingProcessServices::debugBreakIfAttached()
{
    ++debugBreaks;
}

void RecordingProcessServices::debugOutput( const char* kpText )
{
    debugOutputs.push_back( kpText );
}

char* RecordingProcessServices::getClipboardText( char* pBuffer, size_t size )
{
    if( !hasClipboard || pBuffer == nullptr || size == 0 )
        return nullptr;
    return textCopy( pBuffer, size, clipboard.c_str() );
}

uint64_t RecordingProcessServices::getTime()
{
    return useFakeTime ? fakeTime : HDefaultProcessServices::getTime();
}

void RecordingProcessServices::sleep( uint32_t milliseconds )
{
    if( !useFakeTime )
    {
        HDefaultProcessServices::sleep( milliseconds );
        return;
    }
    sleeps.push_back( milliseconds );
    fakeTime += milliseconds;
}
