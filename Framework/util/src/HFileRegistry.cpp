#include "Framework/util/src/HFileRegistry.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Framework/util/src/HLog.h"
#include "Framework/util/src/HText.h"

namespace
{
// A registry file is a few kilobytes; anything far larger is not ours to parse.
const size_t kMaxFileSize = 16u * 1024u * 1024u;

std::string environment( const char* kpName )
{
    const char* kpValue = std::getenv( kpName );
    return kpValue != nullptr ? std::string( kpValue ) : std::string();
}

std::string parentDirectory( const std::string& path )
{
    size_t slash = path.find_last_of( '/' );
    if( slash == std::string::npos )
        return ".";
    if( slash == 0 )
        return "/";
    return path.substr( 0, slash );
}

bool makeDirectories( const std::string& path )
{
    struct stat status;
    if( ::stat( path.c_str(), &status ) == 0 )
        return S_ISDIR( status.st_mode );
    std::string parent = parentDirectory( path );
    if( parent != path && !makeDirectories( parent ) )
        return false;
    return ::mkdir( path.c_str(), 0755 ) == 0 || errno == EEXIST;
}

// The whole file, or false when it is missing or unreadable.
bool readWholeFile( const std::string& path, std::string& text )
{
    text.clear();
    int fd = ::open( path.c_str(), O_RDONLY | O_CLOEXEC );
    if( fd < 0 )
        return false;
    char buffer[ 8192 ];
    bool ok = true;
    for( ;; )
    {
        ssize_t got = ::read( fd, buffer, sizeof( buffer ) );
        if( got < 0 && errno == EINTR )
            continue;
        if( got < 0 || text.size() + static_cast<size_t>( got ) > kMaxFileSize )
        {
            ok = false;
            break;
        }
        if( got == 0 )
            break;
        text.append( buffer, static_cast<size_t>( got ) );
    }
    ::close( fd );
    return ok;
}

bool writeAll( int fd, const std::string& text )
{
    size_t done = 0;
    while( done < text.size() )
    {
        ssize_t put = ::write( fd, text.data() + done, text.size() - done );
        if( put < 0 && errno == EINTR )
            continue;
        if( put <= 0 )
            return false;
        done += static_cast<size_t>( put );
    }
    return true;
}

bool syncDirectory( const std::string& directory )
{
    int fd = ::open( directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC );
    if( fd < 0 )
        return false;
    bool ok = ::fsync( fd ) == 0;
    ::close( fd );
    return ok;
}

// Writes a file that appears whole or not at all: a temporary file, flushed, renamed over.
bool replaceFile( const std::string& path, const std::string& text )
{
    std::string temporary = path + ".tmp-" + std::to_string( static_cast<long>( ::getpid() ) );
    int fd = ::open( temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644 );
    if( fd < 0 )
        return false;
    bool ok = writeAll( fd, text ) && ::fsync( fd ) == 0;
    ok = ::close( fd ) == 0 && ok;
    if( ok )
        ok = ::rename( temporary.c_str(), path.c_str() ) == 0;
    if( !ok )
    {
        ::unlink( temporary.c_str() );
        return false;
    }
    syncDirectory( parentDirectory( path ) );
    return true;
}

// Keeps an unreadable file's bytes beside it before the store is rewritten.
bool keepAside( const std::string& path, const std::string& text )
{
    std::string base = path + ".corrupt-" + std::to_string( static_cast<long long>( std::time( nullptr ) ) );
    for( int attempt = 0; attempt < 100; ++attempt )
    {
        std::string name = attempt == 0 ? base : base + "-" + std::to_string( attempt );
        int fd = ::open( name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644 );
        if( fd < 0 )
        {
            if( errno == EEXIST )
                continue;
            return false;
        }
        bool ok = writeAll( fd, text ) && ::fsync( fd ) == 0;
        ok = ::close( fd ) == 0 && ok;
        logMessage( "...registry file '%s' could not be fully read; kept as '%s'\n", path.c_str(), name.c_str() );
        return ok;
    }
    return false;
}

// A control character in a name would not survive the file's quoting and line breaks.
bool isStorableName( const char* kpName )
{
    for( const char* kpChar = kpName; *kpChar != '\0'; ++kpChar )
    {
        unsigned char c = static_cast<unsigned char>( *kpChar );
        if( c < 0x20 || c == 0x7F )
            return false;
    }
    return true;
}

// An exclusive advisory lock on the store's lock file: its descriptor, or -1.
int lockStore( const std::string& path )
{
    int fd = ::open( ( path + ".lock" ).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644 );
    if( fd < 0 )
        return -1;
    while( ::flock( fd, LOCK_EX ) != 0 )
    {
        if( errno != EINTR )
        {
            ::close( fd );
            return -1;
        }
    }
    return fd;
}

void unlockStore( int fd )
{
    if( fd < 0 )
        return;
    ::flock( fd, LOCK_UN );
    ::close( fd );
}

// Holds the store's lock for its lifetime, unless the caller already holds it: a second
// flock from this process on its own store would wait for ever.
class StoreLock
{
public:
    StoreLock( const std::string& path, bool alreadyHeld )
        : m_fd( alreadyHeld ? -1 : lockStore( path ) )
        , m_held( alreadyHeld || m_fd >= 0 )
    {
    }
    ~StoreLock() { unlockStore( m_fd ); }
    StoreLock( const StoreLock& ) = delete;
    StoreLock& operator=( const StoreLock& ) = delete;

    bool isHeld() const { return m_held; }

private:
    int m_fd;
    bool m_held;
};
}

HRegistry* HRegistry::createDefault()
{
    return new HFileRegistry();
}

HFileRegistry::HFileRegistry()
    : m_lockedPath()
    , m_lockFd( -1 )
    , m_updateDepth( 0 )
{
}

HFileRegistry::~HFileRegistry()
{
    unlockStore( m_lockFd );
}

bool HFileRegistry::beginUpdate()
{
    if( m_updateDepth++ > 0 )
        return m_lockFd >= 0;
    HRegistryRoot root;
    if( !m_chooseRoot( root ) )
        return false;
    std::string path = storePath( root );
    if( !makeDirectories( parentDirectory( path ) ) )
        return false;
    m_lockFd = lockStore( path );
    if( m_lockFd < 0 )
        return false;
    m_lockedPath = path;
    return true;
}

void HFileRegistry::endUpdate()
{
    if( m_updateDepth == 0 || --m_updateDepth > 0 )
        return;
    unlockStore( m_lockFd );
    m_lockFd = -1;
    m_lockedPath.clear();
}

std::string HFileRegistry::storePath( HRegistryRoot root )
{
    if( root == RR_LOCAL_MACHINE )
    {
        std::string path = environment( "GLIMMERDROP_REGISTRY_MACHINE" );
        return path.empty() ? std::string( "/etc/glimmerdrop/registry.reg" ) : path;
    }
    std::string path = environment( "GLIMMERDROP_REGISTRY" );
    if( !path.empty() )
        return path;
    std::string config = environment( "XDG_CONFIG_HOME" );
    if( config.empty() )
    {
        std::string home = environment( "HOME" );
        if( home.empty() )
            return std::string();
        config = home + "/.config";
    }
    return config + "/glimmerdrop/registry.reg";
}

std::string HFileRegistry::sectionName( HRegistryRoot root ) const
{
    return std::string( root == RR_LOCAL_MACHINE ? "HKEY_LOCAL_MACHINE\\" : "HKEY_CURRENT_USER\\" ) + m_keyPath;
}

// Opening a key creates it, as the system registry does: the store's folder and lock file.
static bool canOpenStore( const std::string& path )
{
    if( path.empty() || !makeDirectories( parentDirectory( path ) ) )
        return false;
    int fd = ::open( ( path + ".lock" ).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644 );
    if( fd < 0 )
        return false;
    ::close( fd );
    return true;
}

bool HFileRegistry::m_chooseRoot( HRegistryRoot& root ) const
{
    if( m_prefersMachineRoot() && canOpenStore( storePath( RR_LOCAL_MACHINE ) ) )
    {
        root = RR_LOCAL_MACHINE;
        return true;
    }
    root = RR_CURRENT_USER;
    return !storePath( RR_CURRENT_USER ).empty();
}

bool HFileRegistry::m_query( const char* kpName, HRegistryValue& value ) const
{
    HRegistryRoot root;
    if( kpName == nullptr || !m_chooseRoot( root ) )
        return false;
    std::string text;
    if( !readWholeFile( storePath( root ), text ) )
        return false;
    HRegistryDocument document;
    document.parse( text );
    char name[ kMaxNameLength + 1 ];
    m_cutName( kpName, name );
    const HRegistryValue* pValue = document.find( sectionName( root ), name );
    if( pValue == nullptr )
        return false;
    value = *pValue;
    return true;
}

bool HFileRegistry::m_store( const char* kpName, uint32_t type, const std::vector<uint8_t>& data )
{
    HRegistryRoot root;
    if( kpName == nullptr || !isStorableName( kpName ) || !m_chooseRoot( root ) )
        return false;
    std::string path = storePath( root );
    if( !makeDirectories( parentDirectory( path ) ) )
        return false;
    StoreLock lock( path, m_lockFd >= 0 && path == m_lockedPath );
    if( !lock.isHeld() )
        return false;

    std::string text;
    bool exists = readWholeFile( path, text );
    HRegistryDocument document;
    bool readable = document.parse( text );
    bool unreadable = !exists && ::access( path.c_str(), F_OK ) == 0;
    if( unreadable || ( exists && !readable ) )
    {
        // Never throw a damaged file away: what could not be read stays beside the new one.
        if( unreadable || !keepAside( path, text ) )
            return false;
    }
    char name[ kMaxNameLength + 1 ];
    m_cutName( kpName, name );
    document.set( sectionName( root ), name, type, data );
    return replaceFile( path, document.serialize() );
}

bool HFileRegistry::readString( const char* kpName, char* pBuffer, uint32_t size )
{
    if( pBuffer == nullptr || size == 0 )
        return false;
    pBuffer[ 0 ] = '\0';
    HRegistryValue value;
    if( !m_query( kpName, value ) || value.type != RVT_SZ )
        return false;
    // The text runs to its first NUL; one stored without a terminator still gets one here.
    size_t length = 0;
    while( length < value.data.size() && value.data[ length ] != 0 )
        ++length;
    if( length + 1 > size )
        return false;
    std::memcpy( pBuffer, value.data.data(), length );
    pBuffer[ length ] = '\0';
    return true;
}

bool HFileRegistry::writeString( const char* kpName, const char* kpText )
{
    char text[ kMaxTextLength + 1 ];
    textCopy( text, sizeof( text ), kpText );
    std::vector<uint8_t> data( text, text + std::strlen( text ) + 1 );
    return m_store( kpName, RVT_SZ, data );
}

bool HFileRegistry::readBinary( const char* kpName, void* pBuffer, uint32_t size, uint32_t* pCount )
{
    HRegistryValue value;
    if( !m_query( kpName, value ) || value.type != RVT_BINARY || value.data.size() > size )
        return false;
    if( !value.data.empty() )
    {
        if( pBuffer == nullptr )
            return false;
        std::memcpy( pBuffer, value.data.data(), value.data.size() );
    }
    if( pCount != nullptr )
        *pCount = static_cast<uint32_t>( value.data.size() );
    return true;
}

bool HFileRegistry::writeBinary( const char* kpName, const void* kpData, uint32_t count )
{
    if( kpData == nullptr && count > 0 )
        return false;
    const uint8_t* kpBytes = static_cast<const uint8_t*>( kpData );
    std::vector<uint8_t> data( kpBytes, kpBytes + count );
    return m_store( kpName, RVT_BINARY, data );
}
