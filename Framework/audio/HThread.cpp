#include "Framework/audio/HThread.h"

#include "Framework/audio/HStdThread.h"

HThread::~HThread() = default;

HThread* createThread()
{
    return new HStdThread();
}
