#include "Framework/platform/win32/HWin32Registry.h"

#include <windows.h>

#include <cstring>

#include "Framework/util/src/HText.h"

namespace
{
// Opens the key for one operation, creating it when missing; null when no root will have it.
HKEY openKey( const char* kpKeyPath, bool machineFirst )
{
    HKEY key = nullptr;
    char noClass[] = "";
    if( machineFirst && ::RegCreateKeyExA( HKEY_LOCAL_MACHINE, kpKeyPath, 0, noClass, 0, KEY_ALL_ACCESS, nullptr,
                                           &key, nullptr ) == ERROR_SUCCESS )
        return key;
    if( ::RegCreateKeyExA( HKEY_CURRENT_USER, kpKeyPath, 0, noClass, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr ) ==
        ERROR_SUCCESS )
        return key;
    return nullptr;
}

// Closes the key on every way out of an operation.
class OpenKey
{
public:
    OpenKey( const char* kpKeyPath, bool machineFirst )
        : m_key( openKey( kpKeyPath, machineFirst ) )
    {
    }
    ~OpenKey()
    {
        if( m_key != nullptr )
            ::RegCloseKey( m_key );
    }
    OpenKey( const OpenKey& ) = delete;
    OpenKey& operator=( const OpenKey& ) = delete;

    HKEY get() const { return m_key; }

private:
    HKEY m_key;
};
}

HRegistry* HRegistry::createDefault()
{
    return new HWin32Registry();
}

HWin32Registry::HWin32Registry()
    : m_pUpdateMutex( nullptr )
    , m_updateDepth( 0 )
{
}

HWin32Registry::~HWin32Registry()
{
    if( m_pUpdateMutex != nullptr )
    {
        ::ReleaseMutex( m_pUpdateMutex );
        ::CloseHandle( m_pUpdateMutex );
    }
}

bool HWin32Registry::beginUpdate()
{
    if( m_updateDepth++ > 0 )
        return m_pUpdateMutex != nullptr;
    // Backslashes are not allowed in a mutex's name.
    char name[ 1100 ];
    textFormat( name, sizeof( name ), "Local\\%s registry", m_keyPath );
    for( char* pChar = name + 6; *pChar != '\0'; ++pChar )
    {
        if( *pChar == '\\' )
            *pChar = '/';
    }
    HANDLE mutex = ::CreateMutexA( nullptr, FALSE, name );
    if( mutex == nullptr )
        return false;
    DWORD waited = ::WaitForSingleObject( mutex, INFINITE );
    // An abandoned mutex is owned all the same: its holder died, its writes stand or fell whole.
    if( waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED )
    {
        ::CloseHandle( mutex );
        return false;
    }
    m_pUpdateMutex = mutex;
    return true;
}

void HWin32Registry::endUpdate()
{
    if( m_updateDepth == 0 || --m_updateDepth > 0 || m_pUpdateMutex == nullptr )
        return;
    ::ReleaseMutex( m_pUpdateMutex );
    ::CloseHandle( m_pUpdateMutex );
    m_pUpdateMutex = nullptr;
}

bool HWin32Registry::m_query( const char* kpName, uint32_t type, void* pData, uint32_t& count )
{
    OpenKey key( m_keyPath, m_prefersMachineRoot() );
    if( key.get() == nullptr )
        return false;
    char name[ kMaxNameLength + 1 ];
    m_cutName( kpName, name );
    DWORD stored = REG_NONE;
    DWORD bytes = count;
    if( ::RegQueryValueExA( key.get(), name, nullptr, &stored, static_cast<BYTE*>( pData ), &bytes ) != ERROR_SUCCESS ||
        stored != type )
        return false;
    count = bytes;
    return true;
}

bool HWin32Registry::m_set( const char* kpName, uint32_t type, const void* kpData, uint32_t count )
{
    OpenKey key( m_keyPath, m_prefersMachineRoot() );
    if( key.get() == nullptr )
        return false;
    char name[ kMaxNameLength + 1 ];
    m_cutName( kpName, name );
    return ::RegSetValueExA( key.get(), name, 0, type, static_cast<const BYTE*>( kpData ), count ) == ERROR_SUCCESS;
}

bool HWin32Registry::readString( const char* kpName, char* pBuffer, uint32_t size )
{
    if( pBuffer == nullptr || size == 0 )
        return false;
    pBuffer[ 0 ] = '\0';
    uint32_t count = size;
    if( kpName == nullptr || !m_query( kpName, REG_SZ, pBuffer, count ) )
    {
        pBuffer[ 0 ] = '\0';
        return false;
    }
    // A text stored without its terminator comes back terminated, or not at all when there is
    // no room for one: callers print these buffers.
    if( count == 0 || pBuffer[ count - 1 ] != '\0' )
    {
        if( count >= size )
        {
            pBuffer[ 0 ] = '\0';
            return false;
        }
        pBuffer[ count ] = '\0';
    }
    return true;
}

bool HWin32Registry::writeString( const char* kpName, const char* kpText )
{
    if( kpName == nullptr || kpText == nullptr )
        return false;
    char text[ kMaxTextLength + 1 ];
    textCopy( text, sizeof( text ), kpText );
    return m_set( kpName, REG_SZ, text, static_cast<uint32_t>( std::strlen( text ) + 1 ) );
}

bool HWin32Registry::readBinary( const char* kpName, void* pBuffer, uint32_t size, uint32_t* pCount )
{
    if( kpName == nullptr || ( pBuffer == nullptr && size != 0 ) )
        return false;
    uint32_t count = size;
    if( !m_query( kpName, REG_BINARY, pBuffer, count ) )
        return false;
    if( pCount != nullptr )
        *pCount = count;
    return true;
}

bool HWin32Registry::writeBinary( const char* kpName, const void* kpData, uint32_t count )
{
    if( kpName == nullptr || ( kpData == nullptr && count != 0 ) )
        return false;
    return m_set( kpName, REG_BINARY, kpData, count );
}
