#ifndef GLIMMERDROP_FRAMEWORK_OBJECT_HOBJECT_H
#define GLIMMERDROP_FRAMEWORK_OBJECT_HOBJECT_H

#include <cstdint>

// The base of the framework's objects: a unique number, a reference count and a
// class name that can be tested without the compiler's run-time type information.
class HObject
{
public:
    HObject();
    virtual ~HObject();

    HObject( const HObject& ) = delete;
    HObject& operator=( const HObject& ) = delete;

    virtual const char* getClassName() const = 0;
    virtual bool isA( const char* kpClassName ) const = 0;
    virtual HObject* clone() const;
    virtual char* copyClassName( char* pBuffer, int size ) const;
    virtual int32_t getRefCount() const;
    virtual void addRef();
    // Counts only: owners delete objects explicitly.
    virtual void release();
    virtual uint32_t hash() const;

    int32_t getId() const { return m_id; }

    // Class-name hash: ASCII upper case folded, hash * 31 + signed character, wrapping.
    static uint32_t hashString( const char* kpText );

protected:
    // isA helper: case-insensitive comparison of class names.
    static bool sameClassName( const char* kpA, const char* kpB );

private:
    int32_t m_id;
    int32_t m_refCount;
};

#endif
