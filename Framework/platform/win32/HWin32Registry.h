#ifndef GLIMMERDROP_FRAMEWORK_PLATFORM_WIN32_HWIN32REGISTRY_H
#define GLIMMERDROP_FRAMEWORK_PLATFORM_WIN32_HWIN32REGISTRY_H

#include "Framework/util/src/HRegistry.h"

// The product's key in the system registry: HKEY_CURRENT_USER, or HKEY_LOCAL_MACHINE first
// when "c_hklm" is 1. Every operation opens (creating if need be) and closes the key.
class HWin32Registry : public HRegistry
{
public:
    bool readString( const char* kpName, char* pBuffer, uint32_t size ) override;
    bool writeString( const char* kpName, const char* kpText ) override;
    bool readBinary( const char* kpName, void* pBuffer, uint32_t size, uint32_t* pCount ) override;
    bool writeBinary( const char* kpName, const void* kpData, uint32_t count ) override;
};

#endif
