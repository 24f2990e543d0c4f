#ifndef GLIMMERDROP_FRAMEWORK_FILESYSTEM_HZIPFILESYSTEM_H
#define GLIMMERDROP_FRAMEWORK_FILESYSTEM_HZIPFILESYSTEM_H

#include "Framework/FileSystem/src/HFileSystem.h"
#include "Framework/FileSystem/src/HZIPFile.h"

// The entries of one zip archive, read-only, looked up without regard to letter case.
class HZIPFileSystem : public HFileSystem
{
public:
    HZIPFileSystem();
    ~HZIPFileSystem() override;

    bool init( const char* kpDirName ) override;
    void shutdown() override;
    bool fileExists( const char* kpFileName ) override;
    HFile* openFileForRead( const char* kpFileName ) override;
    HFile* openFileForWrite( const char* kpFileName ) override;
    uint32_t fileTime( const char* kpFileName ) override;
    void closeFile( HFile* pFile ) override;

    // The minizip handle (an unzFile), or null.
    void* getArchiveHandle() const;
    int openFileCount() const;

private:
    // The cell holding the archive handle; allocated at construction, freed by shutdown.
    void** m_pHandleCell;
    HZIPFile m_files[ kSlotCount ];
};

#endif
