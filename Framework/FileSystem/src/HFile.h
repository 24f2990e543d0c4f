#ifndef GLIMMERDROP_FRAMEWORK_FILESYSTEM_HFILE_H
#define GLIMMERDROP_FRAMEWORK_FILESYSTEM_HFILE_H

#include <cstdint>

#include "Framework/object/HObject.h"

class HFileSystem;

enum HFileMode
{
    FM_READ = 0,
    FM_WRITE = 1
};

// A file handed out by a file system. Callers ask for the size, read, and close at once;
// the journal and trace files read or write record by record instead.
class HFile : public HObject
{
public:
    HFile();
    ~HFile() override;

    const char* getClassName() const override;
    bool isA( const char* kpClassName ) const override;

    // Both return the number of bytes moved; 0 on any refusal.
    virtual uint32_t read( void* buffer, uint32_t count ) = 0;
    virtual uint32_t write( const void* kpBuffer, uint32_t count ) = 0;
    virtual bool rewind() = 0;
    virtual void flush();
    // Gives the slot back to the owning file system.
    virtual void close();
    virtual uint32_t getSize() const;
    virtual const char* getName() const;

    HFileSystem* getOwner() const { return m_owner; }
    int32_t getMode() const { return m_mode; }

    // Used by the file systems when they hand out a slot.
    void setOwner( HFileSystem* pOwner ) { m_owner = pOwner; }
    void setName( const char* kpName );

protected:
    int32_t m_mode;
    char m_name[ 1024 ];
    uint32_t m_size;
    HFileSystem* m_owner;
};

#endif
