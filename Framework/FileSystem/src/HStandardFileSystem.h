#ifndef GLIMMERDROP_FRAMEWORK_FILESYSTEM_HSTANDARDFILESYSTEM_H
#define GLIMMERDROP_FRAMEWORK_FILESYSTEM_HSTANDARDFILESYSTEM_H

#include "Framework/FileSystem/src/HFileSystem.h"
#include "Framework/FileSystem/src/HStandardFile.h"

// Plain files below one directory ("HSFS" in its messages).
class HStandardFileSystem : public HFileSystem
{
public:
    HStandardFileSystem();
    ~HStandardFileSystem() override;

    bool init( const char* kpDirName ) override;
    // Reports files still open; closes nothing.
    void shutdown() override;
    bool fileExists( const char* kpFileName ) override;
    HFile* openFileForRead( const char* kpFileName ) override;
    HFile* openFileForWrite( const char* kpFileName ) override;
    // Of the name exactly as passed, not joined to the directory.
    uint32_t fileTime( const char* kpFileName ) override;
    void closeFile( HFile* pFile ) override;

    // Number of slots in use, for tests and diagnostics.
    int openFileCount() const;

private:
    HStandardFile* m_findFreeSlot();
    // "%s/%s" of directory and name; false when the result would not fit in 1023 characters.
    bool m_joinPath( const char* kpFileName, char* pPath, unsigned size ) const;

    HStandardFile m_files[ kSlotCount ];
};

#endif
