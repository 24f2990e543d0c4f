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

bool HWin32Registry::readString( const char* kpName, char* pBuffer, uint32_t size )
{
    if( pBuffer == nullptr || size == 0 )
        return false;
    pBuffer[ 0 ] = '\0';
    if( kpName == nullptr )
        return false;
    OpenKey key( m_keyPath, m_prefersMachineRoot() );
    if( key.get() == nullptr )
        return false;
    char name[ kMaxNameLength + 1 ];
    m_cutName( kpName, name );
    DWORD type = REG_NONE;
    DWORD count = size;
    LONG result = ::RegQueryValueExA( key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>( pBuffer ), &count );
    if( result != ERROR_SUCCESS || type != REG_SZ )
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
    OpenKey key( m_keyPath, m_prefersMachineRoot() );
    if( key.get() == nullptr )
        return false;
    char name[ kMaxNameLength + 1 ];
    m_cutName( kpName, name );
    char text[ kMaxTextLength + 1 ];
    textCopy( text, sizeof( text ), kpText );
    DWORD bytes = static_cast<DWORD>( std::strlen( text ) + 1 );
    return ::RegSetValueExA( key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>( text ), bytes ) ==
           ERROR_SUCCESS;
}

bool HWin32Registry::readBinary( const char* kpName, void* pBuffer, uint32_t size, uint32_t* pCount )
{
    if( kpName == nullptr || ( pBuffer == nullptr && size != 0 ) )
        return false;
    OpenKey key( m_keyPath, m_prefersMachineRoot() );
    if( key.get() == nullptr )
        return false;
    char name[ kMaxNameLength + 1 ];
    m_cutName( kpName, name );
    DWORD type = REG_NONE;
    DWORD count = size;
    LONG result = ::RegQueryValueExA( key.get(), name, nullptr, &type, static_cast<BYTE*>( pBuffer ), &count );
    if( result != ERROR_SUCCESS || type != REG_BINARY )
        return false;
    if( pCount != nullptr )
        *pCount = count;
    return true;
}

bool HWin32Registry::writeBinary( const char* kpName, const void* kpData, uint32_t count )
{
    if( kpName == nullptr || ( kpData == nullptr && count != 0 ) )
        return false;
    OpenKey key( m_keyPath, m_prefersMachineRoot() );
    if( key.get() == nullptr )
        return false;
    char name[ kMaxNameLength + 1 ];
    m_cutName( kpName, name );
    return ::RegSetValueExA( key.get(), name, 0, REG_BINARY, static_cast<const BYTE*>( kpData ), count ) ==
           ERROR_SUCCESS;
}
