#ifndef GLIMMERDROP_FRAMEWORK_OBJECT_HOBJECTLIST_H
#define GLIMMERDROP_FRAMEWORK_OBJECT_HOBJECTLIST_H

#include "Framework/object/HContainerNode.h"

class HObjectListNode : public HContainerNode
{
public:
    HObjectListNode();

    const char* getClassName() const override;
    bool isA( const char* kpClassName ) const override;

    HObjectListNode* m_prev;
    HObjectListNode* m_next;
};

// An intrusive list of nodes that hold objects; it owns the nodes, never the objects.
// New objects go to the head, so iteration yields the most recently added first.
class HObjectList : public HObject
{
public:
    // A null filter accepts any class ("(any)").
    explicit HObjectList( const char* kpClassFilter = nullptr );
    // Frees only the list: owners remove every object first.
    ~HObjectList() override;

    const char* getClassName() const override;
    bool isA( const char* kpClassName ) const override;

    // 0 when added, 1 when the class filter refused the object.
    int add( HObject* pObject );
    // Returns the node that followed the removed one; null when the object is not listed.
    HObjectListNode* remove( HObject* pObject );

    HObjectListNode* getFirst() const { return m_head; }
    static HObjectListNode* getNext( const HObjectListNode* pNode );
    static HObject* getObject( const HObjectListNode* pNode );

    const char* getClassFilter() const { return m_classFilter; }

private:
    char m_classFilter[ 80 ];
    HObjectListNode* m_head;
};

#endif
