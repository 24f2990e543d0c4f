#ifndef GLIMMERDROP_FRAMEWORK_PLATFORM_WIN32_HWIN32REGISTRY_H
#define GLIMMERDROP_FRAMEWORK_PLATFORM_WIN32_HWIN32REGISTRY_H

#include "Framework/util/src/HRegistry.h"

// The product's key in the system registry: HKEY_CURRENT_USER, or HKEY_LOCAL_MACHINE first
// when "c_hklm" is 1. Every operation opens (creating if need be) and closes the key.
class HWin32Registry : public HRegistry
{
public:
    HWin32Registry();
    ~HWin32Registry() override;

    // A mutex named after the key, shared by every running copy of the user's session.
    bool beginUpdate() override;
    void endUpdate() override;

    bool readString( const char* kpName, char* pBuffer, uint32_t size ) override;
    bool writeString( const char* kpName, const char* kpText ) override;
    bool readBinary( const char* kpName, void* pBuffer, uint32_t size, uint32_t* pCount ) override;
    bool writeBinary( const char* kpName, const void* kpData, uint32_t count ) override;

private:
    // One value of the given type: read into (count = room in, bytes read out) or written from
    // the buffer, with the key opened for this call alone.
    bool m_query( const char* kpName, uint32_t type, void* pData, uint32_t& count );
    bool m_set( const char* kpName, uint32_t type, const void* kpData, uint32_t count );

    // The mutex handle while an update holds it, and the nesting depth.
    void* m_pUpdateMutex;
    int m_updateDepth;
};

#endif
