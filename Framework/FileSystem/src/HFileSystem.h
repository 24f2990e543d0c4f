#ifndef GLIMMERDROP_FRAMEWORK_FILESYSTEM_HFILESYSTEM_H
#define GLIMMERDROP_FRAMEWORK_FILESYSTEM_HFILESYSTEM_H

#include <cstdint>

class HFile;

// Hands out files by name from a fixed table of 16 slots; nothing is allocated per open.
class HFileSystem
{
public:
    static const int kSlotCount = 16;

    HFileSystem();
    virtual ~HFileSystem();

    HFileSystem( const HFileSystem& ) = delete;
    HFileSystem& operator=( const HFileSystem& ) = delete;

    virtual bool init( const char* kpDirName );
    virtual void shutdown();
    virtual bool fileExists( const char* kpFileName ) = 0;
    virtual HFile* openFileForRead( const char* kpFileName ) = 0;
    virtual HFile* openFileForWrite( const char* kpFileName ) = 0;
    // Seconds since 1970 (UTC), or 0.
    virtual uint32_t fileTime( const char* kpFileName ) = 0;
    virtual void closeFile( HFile* pFile ) = 0;

    const char* getDirName() const { return m_dirName; }

protected:
    void setDirName( const char* kpDirName );

    char m_dirName[ 1024 ];
};

#endif
