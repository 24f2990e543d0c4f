#include "Framework/audio/HAudioLoader.h"

#include <new>

#include "Framework/FileSystem/src/HFile.h"

HAudioLoader::~HAudioLoader() = default;

uint8_t* HAudioLoader::allocateSampleData( uint32_t size )
{
    return new( std::nothrow ) uint8_t[ size > 0 ? size : 1 ];
}

void HAudioLoader::freeSampleData( uint8_t* pData )
{
    delete[] pData;
}

uint8_t* HAudioLoader::m_readWholeFile( HFile* pFile, uint32_t minimumSize, uint32_t& size )
{
    size = pFile->getSize();
    if( size < minimumSize )
    {
        pFile->close();
        return nullptr;
    }
    uint8_t* pBuffer = allocateSampleData( size );
    if( pBuffer == nullptr || pFile->read( pBuffer, size ) != size )
    {
        pFile->close();
        freeSampleData( pBuffer );
        return nullptr;
    }
    pFile->close();
    return pBuffer;
}
