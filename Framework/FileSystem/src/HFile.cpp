#include "Framework/FileSystem/src/HFile.h"

#include "Framework/FileSystem/src/HFileSystem.h"
#include "Framework/util/src/HText.h"

HFile::HFile()
    : m_mode( FM_READ )
    , m_size( 0 )
    , m_owner( nullptr )
{
    m_name[ 0 ] = '\0';
}

HFile::~HFile() = default;

const char* HFile::getClassName() const
{
    return "HFile";
}

bool HFile::isA( const char* kpClassName ) const
{
    return sameClassName( kpClassName, "HFile" );
}

void HFile::flush()
{
}

void HFile::close()
{
    if( m_owner != nullptr )
        m_owner->closeFile( this );
}

uint32_t HFile::getSize() const
{
    return m_size;
}

const char* HFile::getName() const
{
    return m_name;
}

void HFile::setName( const char* kpName )
{
    textCopy( m_name, sizeof( m_name ), kpName );
}
