#pragma once

#include "CPackHandle.h"
#include "CReqPack.h"
#include "CriticalSection.h"
#include "UniqueHandle.h"

#include <windows.h>

#include <cstddef>
#include <list>
#include <memory>

// CPackWorker is a first-in-first-out queue of request packets with one worker thread that hands
// them, one at a time, to a handler. A stop request takes priority over queued packets; packets
// left in the queue when the worker is destroyed are freed without being handled.
//
// Threads: Post, Stop, StartThread, HasThread and QueuedCount may be called from any thread, also
// at the same time; the worker never blocks a poster for longer than a queue insert. lock_ guards
// the queue, the thread handle and whether posts are accepted; lifecycleLock_ lets one start or
// stop run at a time. The handler is fixed while a worker thread exists, so the worker reads it
// without a lock.
class CPackWorker {
public:
    // Posts beyond this many packets waiting in the queue are refused.
    static constexpr long kQueueCapacity = 10000;

    // The handler is not owned and may be null; packets are then taken and dropped.
    explicit CPackWorker(CPackHandle* handler = nullptr);
    ~CPackWorker();
    CPackWorker(const CPackWorker&) = delete;
    CPackWorker& operator=(const CPackWorker&) = delete;

    // Replaces the handler. Only while no worker thread exists (checked); refused otherwise.
    bool SetHandler(CPackHandle* handler);
    bool HasThread() const;
    // Creates the worker thread suspended and resumes it; does nothing when a thread exists.
    bool StartThread();
    // Queues a copy of pack; false (and nothing queued) when there is no worker thread, the thread
    // is being stopped, or the queue already holds kQueueCapacity packets.
    bool Post(const CReqPack& pack);
    // Asks the worker to stop and waits, without limit, until the packet it is handling is done
    // and the thread has ended. Must not be called on the worker thread (checked).
    void Stop();
    // Packets posted but not taken by the worker yet.
    std::size_t QueuedCount() const;

private:
    enum class WaitResult { kStop, kPacket };

    static DWORD WINAPI WorkerEntry(void* argument);
    void Run();
    WaitResult Wait(CReqPack& out);

    ScopedHandle stopEvent_;
    ScopedHandle packetSemaphore_;
    CPackHandle* handler_;
    CriticalSection lifecycleLock_;
    mutable CriticalSection lock_;
    std::list<std::unique_ptr<CReqPack>> packets_;  // lock_
    ScopedHandle thread_;                           // lock_
    DWORD threadId_ = 0;                            // lock_
    bool accepting_ = false;                        // lock_
};
