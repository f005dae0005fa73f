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
// them, one at a time, to a handler. Any thread may post; the worker never blocks the poster.
// A stop request takes priority over queued packets; packets left in the queue when the worker
// is destroyed are freed without being handled.
class CPackWorker {
public:
    CPackWorker();
    ~CPackWorker();
    CPackWorker(const CPackWorker&) = delete;
    CPackWorker& operator=(const CPackWorker&) = delete;

    // The handler is not owned and may be null; packets are then taken and dropped.
    void SetHandler(CPackHandle* handler);
    bool HasThread() const;
    // Creates the worker thread suspended and resumes it; does nothing when a thread exists.
    bool StartThread();
    // Queues a copy of pack; false (and nothing queued) when there is no worker thread or the
    // queue already holds its maximum of 10000 packets.
    bool Post(const CReqPack& pack);
    // Asks the worker to stop and waits, without limit, until the packet it is handling is done
    // and the thread has ended. Must not be called on the worker thread.
    void Stop();
    // Packets posted but not taken by the worker yet.
    std::size_t QueuedCount();

private:
    enum class WaitResult { Stop, Packet };

    static DWORD WINAPI WorkerEntry(void* argument);
    void Run();
    WaitResult Wait(CReqPack& out);

    ScopedHandle stopEvent_;
    ScopedHandle packetSemaphore_;
    std::list<std::unique_ptr<CReqPack>> packets_;
    CriticalSection lock_;
    CPackHandle* handler_ = nullptr;
    ScopedHandle thread_;
};
