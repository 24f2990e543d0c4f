#include "Framework/object/HObject.h"

#include <atomic>

#include "Framework/util/src/HLog.h"
#include "Framework/util/src/HText.h"

namespace
{
// Objects may be made on the audio thread too (stream objects), so the counter is atomic.
std::atomic<int32_t> s_lastObjectId{ 0 };
}

HObject::HObject()
    : m_id( s_lastObjectId.fetch_add( 1 ) + 1 )
    , m_refCount( 0 )
{
}

HObject::~HObject() = default;

HObject* HObject::clone() const
{
    debugTrace( "%s has not implemented clone()", getClassName() );
    return nullptr;
}

char* HObject::copyClassName( char* pBuffer, int size ) const
{
    if( pBuffer != nullptr && size > 0 )
        textCopy( pBuffer, static_cast<size_t>( size ), getClassName() );
    return pBuffer;
}

int32_t HObject::getRefCount() const
{
    return m_refCount;
}

void HObject::addRef()
{
    ++m_refCount;
}

void HObject::release()
{
    --m_refCount;
}

uint32_t HObject::hash() const
{
    return hashString( getClassName() ) + static_cast<uint32_t>( m_id );
}

uint32_t HObject::hashString( const char* kpText )
{
    uint32_t hash = 0;
    if( kpText == nullptr )
        return hash;
    for( ; *kpText != '\0'; ++kpText )
    {
        signed char c = static_cast<signed char>( *kpText );
        if( c >= 'A' && c <= 'Z' )
            c = static_cast<signed char>( c - 'A' + 'a' );
        hash = hash * 31u + static_cast<uint32_t>( static_cast<int32_t>( c ) );
    }
    return hash;
}

bool HObject::sameClassName( const char* kpA, const char* kpB )
{
    return textEqualsNoCase( kpA, kpB );
}
