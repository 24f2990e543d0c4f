#ifndef GLIMMERDROP_FRAMEWORK_UTIL_HPROCESSSERVICES_H
#define GLIMMERDROP_FRAMEWORK_UTIL_HPROCESSSERVICES_H

#include <cstddef>
#include <cstdint>

// The buttons a message box offers, decoded from the low four bits of its flags.
enum HMessageBoxButtons
{
    MBB_ABORT_RETRY_IGNORE_STOP = 0,
    MBB_OK = 1,
    MBB_OK_CANCEL = 2,
    MBB_ABORT_RETRY_IGNORE = 3,
    MBB_YES_NO_CANCEL = 4,
    MBB_YES_NO = 5,
    MBB_RETRY_CANCEL = 6,
    MBB_SYSTEM_STYLE = 7 // 7 to 15: the whole flags word is the system's own style
};

// The icon, decoded from bits 4 to 7 of the flags.
enum HMessageBoxIcon
{
    MBI_NONE = 0,
    MBI_STOP = 1,
    MBI_QUESTION = 2,
    MBI_EXCLAMATION = 3,
    MBI_INFORMATION = 4
};

// What the person pressed; MBA_NONE when no box could be shown at all.
enum HMessageBoxAnswer
{
    MBA_NONE = 0,
    MBA_OK,
    MBA_CANCEL,
    MBA_ABORT,
    MBA_RETRY,
    MBA_IGNORE,
    MBA_YES,
    MBA_NO,
    // A button of a system style that has no code of its own; the box's result is its flags.
    MBA_OTHER
};

// Result codes of the program's message boxes.
enum HMessageBoxResult
{
    MBR_QUIT = 1,
    MBR_CANCEL = 2,
    MBR_IGNORE = 3,
    MBR_YES = 4,
    MBR_NO = 5,
    MBR_OK = 6,
    MBR_RETRY = 7
};

struct HMessageBoxRequest
{
    uint32_t flags;
    HMessageBoxButtons buttons;
    HMessageBoxIcon icon;
    const char* kpCaption;
    const char* kpText;
};

// What the program asks of the operating system. Each platform supplies one; the
// default (HDefaultProcessServices) needs nothing beyond the C++ library.
class HProcessServices
{
public:
    virtual ~HProcessServices();

    // Shows a box and reports the button pressed; never blocks when no box can be shown.
    virtual HMessageBoxAnswer showMessageBox( const HMessageBoxRequest& request ) = 0;
    // Breaks into a debugger, but only when one is attached.
    virtual void debugBreakIfAttached() = 0;
    // Hands a document or web address to the system; the result is the system's handle or code.
    virtual intptr_t shellOpen( const char* kpTarget ) = 0;
    virtual char* getClipboardText( char* pBuffer, size_t size ) = 0;
    // Milliseconds of a monotonic clock, wrapping at 2^32 like the system tick count.
    virtual uint64_t getTime() = 0;
    virtual void sleep( uint32_t milliseconds ) = 0;
    virtual char* getUserName( char* pBuffer, size_t size ) = 0;
    virtual char* getExecutablePath( char* pBuffer, size_t size ) = 0;
    virtual void debugOutput( const char* kpText ) = 0;
    // Whether the platform separates path parts with a backslash (the executable directory keeps it).
    virtual char pathSeparator() const = 0;
    // The user's folder for pictures (screenshots go there); null when the platform knows none,
    // and the caller then uses the current folder.
    virtual char* getPicturesFolder( char* pBuffer, size_t size );
};

// The services in use: the one installed by the process entry, else the default.
HProcessServices& processServices();
// Installs the platform's services (not owned); null goes back to the default.
void setProcessServices( HProcessServices* pServices );

// The message-box rules shared by every platform: flag decoding, the answer codes, Abort
// ending the process and silencing later boxes, Retry requesting a debugger break.
int processMessageBox( uint32_t flags, const char* kpCaption, const char* kpText );

// True once a box was answered with Abort; later boxes are not shown and return MBR_QUIT.
bool isQuitUnderWay();

// Lets tests answer Abort without ending the test process.
void setMessageBoxExitHandler( void ( *pHandler )( int exitCode ) );
void resetQuitUnderWay();

#endif
