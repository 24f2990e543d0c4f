#ifndef GLIMMERDROP_FRAMEWORK_AUDIO_HSTDLOCK_H
#define GLIMMERDROP_FRAMEWORK_AUDIO_HSTDLOCK_H

#include <mutex>

#include "Framework/audio/HLock.h"

// The portable lock over the standard library's mutex.
class HStdLock : public HLock
{
public:
    HStdLock();
    ~HStdLock() override;

    bool init() override;
    void shutdown() override;
    // Both do nothing before init or after shutdown, so they always pair.
    void lock() override;
    void unlock() override;

    bool isInitialised() const { return m_initialised; }

private:
    std::mutex m_mutex;
    bool m_initialised;
};

#endif
