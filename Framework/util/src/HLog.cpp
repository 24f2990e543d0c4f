#include "Framework/util/src/HLog.h"

#include <cstdarg>
#include <cstring>

#include "Framework/FileSystem/src/HFile.h"
#include "Framework/util/src/HProcessServices.h"
#include "Framework/util/src/HText.h"

namespace
{
const size_t kMessageSize = 1024;

bool s_verifyShown = false;
HFile* s_pTraceFile = nullptr;
void ( *s_pDebugTraceListener )( const char* ) = nullptr;
}

void verifyFailed( const char* kpFormat, ... )
{
    if( s_verifyShown )
        return;
    s_verifyShown = true;
    char text[ kMessageSize ];
    va_list args;
    va_start( args, kpFormat );
    textFormatV( text, sizeof( text ), kpFormat, args );
    va_end( args );
    processMessageBox( 0, "Verify Failed", text );
}

int messageBox( uint32_t flags, const char* kpCaption, const char* kpFormat, ... )
{
    char text[ kMessageSize ];
    va_list args;
    va_start( args, kpFormat );
    textFormatV( text, sizeof( text ), kpFormat, args );
    va_end( args );
    return processMessageBox( flags, kpCaption, text );
}

int alert( const char* kpFormat, ... )
{
    char text[ kMessageSize ];
    va_list args;
    va_start( args, kpFormat );
    textFormatV( text, sizeof( text ), kpFormat, args );
    va_end( args );
    return processMessageBox( 0, "Alert", text );
}

void logMessage( const char* kpFormat, ... )
{
    char text[ kMessageSize ];
    va_list args;
    va_start( args, kpFormat );
    int length = textFormatV( text, sizeof( text ), kpFormat, args );
    va_end( args );
    processServices().debugOutput( text );
    if( s_pTraceFile != nullptr )
    {
        s_pTraceFile->write( text, static_cast<uint32_t>( length ) );
        s_pTraceFile->flush();
    }
}

void debugTrace( const char* kpFormat, ... )
{
    if( s_pDebugTraceListener == nullptr )
        return;
    char text[ kMessageSize ];
    va_list args;
    va_start( args, kpFormat );
    textFormatV( text, sizeof( text ), kpFormat, args );
    va_end( args );
    s_pDebugTraceListener( text );
}

void setTraceFile( HFile* pFile )
{
    s_pTraceFile = pFile;
}

HFile* getTraceFile()
{
    return s_pTraceFile;
}

void setDebugTraceListener( void ( *pListener )( const char* kpText ) )
{
    s_pDebugTraceListener = pListener;
}

void resetVerifyFailed()
{
    s_verifyShown = false;
}
