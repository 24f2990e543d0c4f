#ifndef GLIMMERDROP_FRAMEWORK_FILESYSTEM_HZIPFILE_H
#define GLIMMERDROP_FRAMEWORK_FILESYSTEM_HZIPFILE_H

#include "Framework/FileSystem/src/HFile.h"

struct unz_file_info_s;

// An entry of a zip archive, read-only. It reports the class name "HFile".
// Every read starts again at the entry's first byte: entries are read whole.
class HZIPFile : public HFile
{
public:
    HZIPFile();
    ~HZIPFile() override;

    uint32_t read( void* buffer, uint32_t count ) override;
    uint32_t write( const void* kpBuffer, uint32_t count ) override;
    bool rewind() override;
    void flush() override;

    // The file system's side of a slot.
    bool isOpen() const { return m_open; }
    void setOpen( const struct unz_file_info_s& info );
    void clearInfo();
    const struct unz_file_info_s& getInfo() const { return *m_info; }

private:
    struct unz_file_info_s* m_info;
    // A slot's use is tracked on its own: an empty entry has CRC 0, which must not free it.
    bool m_open;
};

#endif
