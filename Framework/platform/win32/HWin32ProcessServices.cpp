#include "Framework/platform/win32/HWin32ProcessServices.h"

#include <windows.h>

#include <mmsystem.h>
#include <shellapi.h>

#include <cstring>

uint32_t HWin32ProcessServices::messageBoxStyle( const HMessageBoxRequest& request )
{
    UINT style = 0;
    switch( request.buttons )
    {
    case MBB_ABORT_RETRY_IGNORE_STOP:
        style = MB_ABORTRETRYIGNORE | MB_ICONHAND;
        break;
    case MBB_OK:
        style = MB_OK;
        break;
    case MBB_OK_CANCEL:
        style = MB_OKCANCEL;
        break;
    case MBB_ABORT_RETRY_IGNORE:
        style = MB_ABORTRETRYIGNORE;
        break;
    case MBB_YES_NO_CANCEL:
        style = MB_YESNOCANCEL;
        break;
    case MBB_YES_NO:
        style = MB_YESNO;
        break;
    case MBB_RETRY_CANCEL:
        style = MB_RETRYCANCEL;
        break;
    default:
        // The caller asked for a style of the system's own; its icon bits are already in it.
        return request.flags | MB_SETFOREGROUND | MB_TOPMOST;
    }
    switch( request.icon )
    {
    case MBI_STOP:
        style = ( style & ~MB_ICONMASK ) | MB_ICONHAND;
        break;
    case MBI_QUESTION:
        style = ( style & ~MB_ICONMASK ) | MB_ICONQUESTION;
        break;
    case MBI_EXCLAMATION:
        style = ( style & ~MB_ICONMASK ) | MB_ICONEXCLAMATION;
        break;
    case MBI_INFORMATION:
        style = ( style & ~MB_ICONMASK ) | MB_ICONASTERISK;
        break;
    default:
        break;
    }
    return style | MB_SETFOREGROUND | MB_TOPMOST;
}

HMessageBoxAnswer HWin32ProcessServices::answerFor( int pressed )
{
    switch( pressed )
    {
    case 0:
        return MBA_NONE;
    case IDOK:
        return MBA_OK;
    case IDCANCEL:
        return MBA_CANCEL;
    case IDABORT:
        return MBA_ABORT;
    case IDRETRY:
        return MBA_RETRY;
    case IDIGNORE:
        return MBA_IGNORE;
    case IDYES:
        return MBA_YES;
    case IDNO:
        return MBA_NO;
    default:
        return MBA_OTHER;
    }
}

HMessageBoxAnswer HWin32ProcessServices::showMessageBox( const HMessageBoxRequest& request )
{
    return answerFor( ::MessageBoxA( nullptr, request.kpText, request.kpCaption, messageBoxStyle( request ) ) );
}

void HWin32ProcessServices::debugBreakIfAttached()
{
    // Without a debugger a break would end the process: Retry then only answers Retry.
    if( ::IsDebuggerPresent() )
        ::DebugBreak();
}

intptr_t HWin32ProcessServices::shellOpen( const char* kpTarget )
{
    if( kpTarget == nullptr )
        return 0;
    return reinterpret_cast<intptr_t>( ::ShellExecuteA( nullptr, "open", kpTarget, nullptr, nullptr, 0 ) );
}

char* HWin32ProcessServices::getClipboardText( char* pBuffer, size_t size )
{
    if( pBuffer == nullptr || size == 0 )
        return nullptr;
    if( ::OpenClipboard( nullptr ) != 1 )
        return nullptr;
    char* pResult = nullptr;
    HANDLE data = ::GetClipboardData( CF_TEXT );
    if( data != nullptr )
    {
        const char* kpText = static_cast<const char*>( ::GlobalLock( data ) );
        if( kpText != nullptr )
        {
            // Another program put the text there: never read past its allocation, terminated or not.
            size_t available = ::GlobalSize( data );
            size_t length = 0;
            while( length < available && length + 1 < size && kpText[ length ] != '\0' )
                ++length;
            std::memcpy( pBuffer, kpText, length );
            pBuffer[ length ] = '\0';
            ::GlobalUnlock( data );
            pResult = pBuffer;
        }
    }
    ::CloseClipboard();
    return pResult;
}

uint64_t HWin32ProcessServices::getTime()
{
    return static_cast<uint64_t>( ::timeGetTime() );
}

void HWin32ProcessServices::sleep( uint32_t milliseconds )
{
    // Sleep keeps to the system tick (15.6 ms unless raised), too coarse to pace frames; a
    // high-resolution timer keeps to the millisecond where the system has one.
    // One per thread: a timer set again by another thread would cut this thread's sleep short.
    struct Timer
    {
        HANDLE handle = ::CreateWaitableTimerExW( nullptr, nullptr, 0x00000002, TIMER_ALL_ACCESS );
        ~Timer()
        {
            if( handle != nullptr )
                ::CloseHandle( handle );
        }
    };
    static thread_local Timer s_timer;
    LARGE_INTEGER due;
    due.QuadPart = -static_cast<LONGLONG>( milliseconds ) * 10000;
    if( milliseconds == 0 || s_timer.handle == nullptr ||
        !::SetWaitableTimer( s_timer.handle, &due, 0, nullptr, nullptr, FALSE ) )
    {
        ::Sleep( milliseconds );
        return;
    }
    ::WaitForSingleObject( s_timer.handle, INFINITE );
}

char* HWin32ProcessServices::getUserName( char* pBuffer, size_t size )
{
    if( pBuffer == nullptr || size == 0 || size > 0xFFFFFFFFu )
        return nullptr;
    DWORD length = static_cast<DWORD>( size );
    if( !::GetUserNameA( pBuffer, &length ) )
        return nullptr;
    return pBuffer;
}

char* HWin32ProcessServices::getExecutablePath( char* pBuffer, size_t size )
{
    if( pBuffer == nullptr || size < 2 || size > 0xFFFFFFFFu )
        return nullptr;
    DWORD length = ::GetModuleFileNameA( nullptr, pBuffer, static_cast<DWORD>( size ) );
    // A path that filled the buffer was cut short, and a cut path names some other file.
    if( length == 0 || length >= size )
    {
        pBuffer[ 0 ] = '\0';
        return nullptr;
    }
    return pBuffer;
}

void HWin32ProcessServices::debugOutput( const char* kpText )
{
    if( kpText != nullptr )
        ::OutputDebugStringA( kpText );
}

char HWin32ProcessServices::pathSeparator() const
{
    return '\\';
}
