#include "Framework/object/HContainerNode.h"

HContainerNode::HContainerNode()
    : m_object( nullptr )
{
}

const char* HContainerNode::getClassName() const
{
    return "HContainerNode";
}

bool HContainerNode::isA( const char* kpClassName ) const
{
    return sameClassName( kpClassName, "HContainerNode" );
}
