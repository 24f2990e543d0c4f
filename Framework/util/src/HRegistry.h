#ifndef GLIMMERDROP_FRAMEWORK_UTIL_HREGISTRY_H
#define GLIMMERDROP_FRAMEWORK_UTIL_HREGISTRY_H

#include <cstdint>

class HCvarManager;

// Value types as the system registry numbers them.
enum HRegistryValueType
{
    RVT_NONE = 0,
    RVT_SZ = 1,
    RVT_EXPAND_SZ = 2,
    RVT_BINARY = 3,
    RVT_DWORD = 4,
    RVT_MULTI_SZ = 7
};

enum HRegistryRoot
{
    RR_CURRENT_USER = 0,
    RR_LOCAL_MACHINE = 1
};

// Reads and writes values under the product's key, "SOFTWARE\<maker>\<product>".
// No key stays open between calls: every read and write opens and closes it.
class HRegistry
{
public:
    static const unsigned kMaxNameLength = 255;
    static const unsigned kMaxTextLength = 255;

    HRegistry();
    virtual ~HRegistry();

    HRegistry( const HRegistry& ) = delete;
    HRegistry& operator=( const HRegistry& ) = delete;

    // Remembers the console variables and forms the key path; does not touch the store.
    virtual bool open( HCvarManager* pCvars, const char* kpMaker, const char* kpProduct );
    virtual bool close();
    // True only for a text value that fits the buffer with its terminator; the buffer is
    // always left terminated (empty on failure).
    virtual bool readString( const char* kpName, char* pBuffer, uint32_t size ) = 0;
    // Name and text are each cut to 255 characters.
    virtual bool writeString( const char* kpName, const char* kpText ) = 0;
    // True only for a binary value that fits the buffer; its length goes to pCount.
    virtual bool readBinary( const char* kpName, void* pBuffer, uint32_t size, uint32_t* pCount ) = 0;
    virtual bool writeBinary( const char* kpName, const void* kpData, uint32_t count ) = 0;

    // Holds the store against other running copies until the matching endUpdate, so values read
    // in between and written back are not changed by anyone else meanwhile. Calls nest; every
    // beginUpdate is paired with an endUpdate, whatever it returned.
    virtual bool beginUpdate();
    virtual void endUpdate();

    const char* getKeyPath() const { return m_keyPath; }

    // The one registry of the process, created on first use.
    static HRegistry& get();
    // Tests substitute their own (not owned); null goes back to the process's own.
    static void setInstance( HRegistry* pRegistry );

protected:
    // With "c_hklm" exactly 1 the machine's key is tried first.
    bool m_prefersMachineRoot() const;
    // The value name as stored: at most 255 characters.
    static void m_cutName( const char* kpName, char* pName );

    HCvarManager* m_pCvars;
    char m_keyPath[ 1024 ];

private:
    // The platform's store; the build picks the file that defines it.
    static HRegistry* createDefault();
};

#endif
