#ifndef GLIMMERDROP_FRAMEWORK_AUDIO_HLOCK_H
#define GLIMMERDROP_FRAMEWORK_AUDIO_HLOCK_H

// A lock between the main thread and the audio thread.
class HLock
{
public:
    HLock() = default;
    virtual ~HLock();

    HLock( const HLock& ) = delete;
    HLock& operator=( const HLock& ) = delete;

    virtual bool init() = 0;
    virtual void shutdown() = 0;
    virtual void lock() = 0;
    virtual void unlock() = 0;
};

// Makes an initialised lock, or null.
HLock* createLock();
// Shuts the lock down and deletes it; null is ignored.
void destroyLock( HLock* pLock );

// Holds a lock for one scope; a null lock is not taken.
class HLockGuard
{
public:
    explicit HLockGuard( HLock* pLock )
        : m_pLock( pLock )
    {
        if( m_pLock != nullptr )
            m_pLock->lock();
    }
    ~HLockGuard()
    {
        if( m_pLock != nullptr )
            m_pLock->unlock();
    }

    HLockGuard( const HLockGuard& ) = delete;
    HLockGuard& operator=( const HLockGuard& ) = delete;

private:
    HLock* m_pLock;
};

#endif
