#ifndef GLIMMERDROP_FRAMEWORK_UTIL_HDEFAULTPROCESSSERVICES_H
#define GLIMMERDROP_FRAMEWORK_UTIL_HDEFAULTPROCESSSERVICES_H

#include "Framework/util/src/HProcessServices.h"

// Services for programs without a platform layer (tools, unit tests): no boxes, no
// clipboard, no shell; time and sleep from the C++ library.
class HDefaultProcessServices : public HProcessServices
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

    // The clock every platform can share: monotonic milliseconds kept to 32 bits.
    static uint64_t monotonicMilliseconds();
    // Debug output goes to standard error only while GLIMMERDROP_DEBUG is set.
    static void debugOutputToStandardError( const char* kpText );
};

#endif
