#include "Framework/FileSystem/src/HFileSystem.h"

#include "Framework/util/src/HLog.h"
#include "Framework/util/src/HText.h"

namespace
{
const char kpSource[] = "Framework\\FileSystem\\src\\HFileSystem";
}

HFileSystem::HFileSystem()
{
    m_dirName[ 0 ] = '\0';
}

HFileSystem::~HFileSystem() = default;

bool HFileSystem::init( const char* )
{
    return true;
}

void HFileSystem::shutdown()
{
}

void HFileSystem::setDirName( const char* kpDirName )
{
    HVERIFY( kpDirName != 0, kpSource );
    textCopy( m_dirName, sizeof( m_dirName ), kpDirName );
}
