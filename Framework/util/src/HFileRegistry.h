#ifndef GLIMMERDROP_FRAMEWORK_UTIL_HFILEREGISTRY_H
#define GLIMMERDROP_FRAMEWORK_UTIL_HFILEREGISTRY_H

#include <string>
#include <vector>

#include "Framework/util/src/HRegistry.h"
#include "Framework/util/src/HRegistryDocument.h"

// The registry kept in files of registry export text, one per root:
// the user's at $GLIMMERDROP_REGISTRY or ${XDG_CONFIG_HOME:-$HOME/.config}/glimmerdrop/registry.reg,
// the machine's at $GLIMMERDROP_REGISTRY_MACHINE or /etc/glimmerdrop/registry.reg.
// Every write re-reads the file under a lock and replaces it atomically, so two running
// copies never lose each other's values and a crash leaves the old file or the new one.
// A file that cannot be fully read is copied aside before it is next written.
class HFileRegistry : public HRegistry
{
public:
    HFileRegistry();
    ~HFileRegistry() override;

    bool beginUpdate() override;
    void endUpdate() override;

    bool readString( const char* kpName, char* pBuffer, uint32_t size ) override;
    bool writeString( const char* kpName, const char* kpText ) override;
    bool readBinary( const char* kpName, void* pBuffer, uint32_t size, uint32_t* pCount ) override;
    bool writeBinary( const char* kpName, const void* kpData, uint32_t count ) override;

    static std::string storePath( HRegistryRoot root );
    // The section name of the key under a root, for example HKEY_CURRENT_USER\SOFTWARE\...
    std::string sectionName( HRegistryRoot root ) const;

private:
    // The root an operation uses: the machine's first when asked for and writable.
    bool m_chooseRoot( HRegistryRoot& root ) const;
    bool m_query( const char* kpName, HRegistryValue& value ) const;
    bool m_store( const char* kpName, uint32_t type, const std::vector<uint8_t>& data );

    // The store locked by beginUpdate, its lock file descriptor and the nesting depth.
    std::string m_lockedPath;
    int m_lockFd;
    int m_updateDepth;
};

#endif
