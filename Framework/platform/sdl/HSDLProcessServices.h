#ifndef GLIMMERDROP_FRAMEWORK_PLATFORM_SDL_HSDLPROCESSSERVICES_H
#define GLIMMERDROP_FRAMEWORK_PLATFORM_SDL_HSDLPROCESSSERVICES_H

#include "Framework/util/src/HProcessServices.h"

// The process services on Linux: SDL's message boxes, URL opening and clipboard,
// the monotonic clock, and the user's login name.
class HSDLProcessServices : public HProcessServices
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
    // The desktop's pictures folder (XDG_PICTURES_DIR in user-dirs.dirs), else ~/Pictures, when it exists.
    char* getPicturesFolder( char* pBuffer, size_t size ) override;

    // Whether a debugger (a tracer) is attached to this process.
    static bool isDebuggerAttached();
};

#endif
