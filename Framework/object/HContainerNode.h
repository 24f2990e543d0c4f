#ifndef GLIMMERDROP_FRAMEWORK_OBJECT_HCONTAINERNODE_H
#define GLIMMERDROP_FRAMEWORK_OBJECT_HCONTAINERNODE_H

#include "Framework/object/HObject.h"

// Holds another object without owning it.
class HContainerNode : public HObject
{
public:
    HContainerNode();

    const char* getClassName() const override;
    bool isA( const char* kpClassName ) const override;

    HObject* getObject() const { return m_object; }
    void setObject( HObject* pObject ) { m_object = pObject; }

private:
    HObject* m_object;
};

#endif
