#ifndef GLIMMERDROP_FRAMEWORK_FILESYSTEM_HSTANDARDFILE_H
#define GLIMMERDROP_FRAMEWORK_FILESYSTEM_HSTANDARDFILE_H

#include <cstdio>

#include "Framework/FileSystem/src/HFile.h"

// A plain file on disk, read or written through a C stream. Destruction does not close
// the stream: that is the owning file system's business.
class HStandardFile : public HFile
{
public:
    HStandardFile();

    const char* getClassName() const override;
    bool isA( const char* kpClassName ) const override;

    uint32_t read( void* buffer, uint32_t count ) override;
    uint32_t write( const void* kpBuffer, uint32_t count ) override;
    bool rewind() override;
    void flush() override;

    // The file system's side: open into this slot, close it, and whether it is free.
    bool openForRead( const char* kpPath );
    bool openForWrite( const char* kpPath );
    void closeStream();
    bool isOpen() const { return m_fp != nullptr; }

private:
    FILE* m_fp;
};

#endif
