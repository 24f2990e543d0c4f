#include <gtest/gtest.h>

#include <atomic>
#include <memory>

#include "Framework/audio/HLock.h"
#include "Framework/audio/HStdLock.h"
#include "Framework/audio/HThread.h"

namespace
{
struct Shared
{
    HLock* pLock = nullptr;
    long counter = 0;
    std::atomic<int> runs{ 0 };
    void* pSeen = nullptr;
};

void countUnderLock( void* pParameter )
{
    Shared* pShared = static_cast<Shared*>( pParameter );
    for( int index = 0; index < 20000; ++index )
    {
        HLockGuard guard( pShared->pLock );
        ++pShared->counter;
    }
    ++pShared->runs;
}

void recordParameter( void* pParameter )
{
    Shared* pShared = static_cast<Shared*>( pParameter );
    pShared->pSeen = pParameter;
    ++pShared->runs;
}
}

TEST( StdThreadTest, RunsTheRoutineWithItsParameterAndWaitsForIt )
{
    std::unique_ptr<HThread> thread( createThread() );
    Shared shared;
    EXPECT_FALSE( thread->start( &shared ) ) << "no routine yet";
    thread->setRoutine( &recordParameter );
    ASSERT_TRUE( thread->start( &shared ) );
    thread->join();
    EXPECT_EQ( shared.pSeen, &shared );
    EXPECT_EQ( shared.runs.load(), 1 );
    // Every start makes a new thread, after the previous one ended.
    ASSERT_TRUE( thread->start( &shared ) );
    ASSERT_TRUE( thread->start( &shared ) );
    thread.reset();
    EXPECT_EQ( shared.runs.load(), 3 ) << "the destructor waited for the last one";
}

TEST( StdThreadTest, LockExcludesTheOtherThread )
{
    Shared shared;
    shared.pLock = createLock();
    ASSERT_NE( shared.pLock, nullptr );
    std::unique_ptr<HThread> first( createThread() );
    std::unique_ptr<HThread> second( createThread() );
    first->setRoutine( &countUnderLock );
    second->setRoutine( &countUnderLock );
    ASSERT_TRUE( first->start( &shared ) );
    ASSERT_TRUE( second->start( &shared ) );
    countUnderLock( &shared );
    first->join();
    second->join();
    EXPECT_EQ( shared.counter, 60000 );
    destroyLock( shared.pLock );
    destroyLock( nullptr );
}

TEST( StdLockTest, DoesNothingOutsideInitAndShutdown )
{
    HStdLock lock;
    EXPECT_FALSE( lock.isInitialised() );
    lock.lock();
    lock.unlock();
    ASSERT_TRUE( lock.init() );
    lock.lock();
    lock.unlock();
    lock.shutdown();
    EXPECT_FALSE( lock.isInitialised() );
    lock.unlock();
    HLockGuard none( nullptr );
}
