#ifndef GLIMMERDROP_FRAMEWORK_PLATFORM_WIN32_HWIN32PROCESSSERVICES_H
#define GLIMMERDROP_FRAMEWORK_PLATFORM_WIN32_HWIN32PROCESSSERVICES_H

#include "Framework/util/src/HProcessServices.h"

// The process services on Windows: MessageBoxA, ShellExecuteA, the clipboard, timeGetTime,
// Sleep, GetUserNameA, GetModuleFileNameA and OutputDebugStringA.
class HWin32ProcessServices : public HProcessServices
{
public:
    HMessageBoxAnswer showMessageBox( const HMessageBoxRequest& request ) override;
    void debugBreakIfAttached() override;
    intptr_t shellOpen( const char* kpTarget ) override;
    char* getClipboardText( char* pBuffer, size_t size ) override;
    uint64_t getTime() override;
    void sleep( uint32_t milliseconds ) override;
    char* getUserName( char* pBuffer, size_t size ) override;
    char* getExecutablePath( char* pBuffer, size_t size ) override;
    void debugOutput( const char* kpText ) override;
    char pathSeparator() const override;

    // The MessageBoxA style for a request: its buttons and icon, always foreground and topmost.
    static uint32_t messageBoxStyle( const HMessageBoxRequest& request );
    // What a MessageBoxA result means; 0 (no box could be shown) is MBA_NONE.
    static HMessageBoxAnswer answerFor( int pressed );
};

#endif
