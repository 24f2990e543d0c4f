#ifndef GLIMMERDROP_FRAMEWORK_UTIL_HLOG_H
#define GLIMMERDROP_FRAMEWORK_UTIL_HLOG_H

#include <cstdint>

class HFile;

// Message and log operations, usable before the application object exists.
// Each formats into 1024 bytes, truncating.

// Shows the first failed assertion of a run ("Verify Failed", flags 0); later calls return at once.
void verifyFailed( const char* kpFormat, ... ) __attribute__( ( format( printf, 1, 2 ) ) );
// Returns the message-box result code.
int messageBox( uint32_t flags, const char* kpCaption, const char* kpFormat, ... )
    __attribute__( ( format( printf, 3, 4 ) ) );
// A box captioned "Alert" with flags 0.
int alert( const char* kpFormat, ... ) __attribute__( ( format( printf, 1, 2 ) ) );
// Developer text: debug output, and the trace file when one is set.
void logMessage( const char* kpFormat, ... ) __attribute__( ( format( printf, 1, 2 ) ) );
// Internal warnings: never shown or stored (tests may listen).
void debugTrace( const char* kpFormat, ... ) __attribute__( ( format( printf, 1, 2 ) ) );

void setTraceFile( HFile* pFile );
HFile* getTraceFile();

// Test hooks: observe debug-trace texts, and let the next failed assertion show again.
void setDebugTraceListener( void ( *pListener )( const char* kpText ) );
void resetVerifyFailed();

// Checks an assertion and reports "Expression %s failed in %s at line %d" with the source
// path given (for example "Framework\\util\\src\\HGlobal"); evaluates to the expression's truth.
#define HVERIFY( expr, kpSourcePath )                                                                              \
    ( ( expr ) ? true                                                                                              \
               : ( verifyFailed( "Expression %s failed in %s at line %d", #expr, kpSourcePath, __LINE__ ), false ) )

#endif
