#include "Framework/object/HObjectList.h"

#include "Framework/util/src/HText.h"

namespace
{
const char kAnyClass[] = "(any)";
}

HObjectListNode::HObjectListNode()
    : m_prev( nullptr )
    , m_next( nullptr )
{
}

const char* HObjectListNode::getClassName() const
{
    return "HObjectListNode";
}

bool HObjectListNode::isA( const char* kpClassName ) const
{
    return sameClassName( kpClassName, "HObjectListNode" );
}

HObjectList::HObjectList( const char* kpClassFilter )
    : m_head( nullptr )
{
    textCopy( m_classFilter, sizeof( m_classFilter ), kpClassFilter != nullptr ? kpClassFilter : kAnyClass );
}

HObjectList::~HObjectList() = default;

const char* HObjectList::getClassName() const
{
    return "HObjectList";
}

bool HObjectList::isA( const char* kpClassName ) const
{
    return sameClassName( kpClassName, "HObjectList" );
}

int HObjectList::add( HObject* pObject )
{
    if( pObject == nullptr )
        return 1;
    if( !textEqualsNoCase( m_classFilter, kAnyClass ) && !textEqualsNoCase( m_classFilter, pObject->getClassName() ) )
        return 1;

    HObjectListNode* pNode = new HObjectListNode();
    pNode->setObject( pObject );
    pNode->m_next = m_head;
    if( m_head != nullptr )
        m_head->m_prev = pNode;
    m_head = pNode;
    return 0;
}

HObjectListNode* HObjectList::remove( HObject* pObject )
{
    HObjectListNode* pNode = m_head;
    while( pNode != nullptr && pNode->getObject() != pObject )
        pNode = pNode->m_next;
    if( pNode == nullptr )
        return nullptr;

    HObjectListNode* pNext = pNode->m_next;
    if( pNode->m_prev != nullptr )
        pNode->m_prev->m_next = pNext;
    else
        m_head = pNext;
    if( pNext != nullptr )
        pNext->m_prev = pNode->m_prev;

    pNode->m_prev = nullptr;
    pNode->m_next = nullptr;
    pNode->setObject( nullptr );
    delete pNode;
    return pNext;
}

HObjectListNode* HObjectList::getNext( const HObjectListNode* pNode )
{
    return pNode != nullptr ? pNode->m_next : nullptr;
}

HObject* HObjectList::getObject( const HObjectListNode* pNode )
{
    return pNode != nullptr ? pNode->getObject() : nullptr;
}
