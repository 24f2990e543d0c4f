#ifndef GLIMMERDROP_FRAMEWORK_PLATFORM_WEB_HWEBREGISTRY_H
#define GLIMMERDROP_FRAMEWORK_PLATFORM_WEB_HWEBREGISTRY_H

#include "Framework/util/src/HFileRegistry.h"

// The settings file in the browser: the same registry text, in a folder the page keeps in its
// IndexedDB. Every write is carried through to the database before it returns, so a reload or a
// closed tab loses nothing that was saved.
class HWebRegistry : public HFileRegistry
{
public:
    // Where the page's storage is mounted and the settings file lives in it.
    static const char* storageFolder();
    static const char* settingsPath();

    // Mounts the storage and loads it from the database; false when the browser keeps nothing
    // (private windows), in which case the game still runs with settings for this visit only.
    static bool mountStorage();

    bool writeString( const char* kpName, const char* kpText ) override;
    bool writeBinary( const char* kpName, const void* kpData, uint32_t count ) override;

private:
    static void m_persist();
};

#endif
