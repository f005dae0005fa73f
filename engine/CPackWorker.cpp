#include "CPackWorker.h"

#include "Check.h"
#include "ScopedComInit.h"

#include <objbase.h>

#include <mutex>

CPackWorker::CPackWorker(CPackHandle* handler)
    : stopEvent_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      packetSemaphore_(::CreateSemaphoreW(nullptr, 0, kQueueCapacity, nullptr)),
      handler_(handler) {}

CPackWorker::~CPackWorker() {
    Stop();
}

bool CPackWorker::SetHandler(CPackHandle* handler) {
    const bool running = HasThread();
    UNINSTALLER_CHECK(!running, "the handler is replaced while the worker thread runs");
    if (running) {
        return false;
    }
    handler_ = handler;
    return true;
}

bool CPackWorker::HasThread() const {
    std::lock_guard<CriticalSection> guard(lock_);
    return thread_.IsValid();
}

bool CPackWorker::StartThread() {
    std::lock_guard<CriticalSection> lifecycle(lifecycleLock_);
    if (HasThread()) {
        return true;
    }
    DWORD threadId = 0;
    ScopedHandle thread(
        ::CreateThread(nullptr, 0, &CPackWorker::WorkerEntry, this, CREATE_SUSPENDED, &threadId));
    if (!thread) {
        return false;
    }
    const HANDLE started = thread.Get();
    {
        std::lock_guard<CriticalSection> guard(lock_);
        thread_ = std::move(thread);
        threadId_ = threadId;
        accepting_ = true;
    }
    ::ResumeThread(started);
    return true;
}

bool CPackWorker::Post(const CReqPack& pack) {
    auto copy = std::make_unique<CReqPack>(pack);
    std::lock_guard<CriticalSection> guard(lock_);
    if (!accepting_) {
        return false;
    }
    packets_.push_back(std::move(copy));
    // Released under the lock so the count never runs ahead of the queue. A full count would
    // leave the packet in the queue unannounced, so it is taken back and refused instead.
    if (!::ReleaseSemaphore(packetSemaphore_.Get(), 1, nullptr)) {
        packets_.pop_back();
        return false;
    }
    return true;
}

void CPackWorker::Stop() {
    std::lock_guard<CriticalSection> lifecycle(lifecycleLock_);
    HANDLE thread = nullptr;
    {
        std::lock_guard<CriticalSection> guard(lock_);
        if (!thread_) {
            return;
        }
        UNINSTALLER_CHECK(threadId_ != ::GetCurrentThreadId(),
                          "Stop is called on the worker thread, which would wait for itself");
        accepting_ = false;
        thread = thread_.Get();
    }
    // The handle stays open until the wait is over: only this function closes it, and
    // lifecycleLock_ keeps a second Stop out until then.
    ::ResumeThread(thread);
    ::SetEvent(stopEvent_.Get());
    ::WaitForSingleObject(thread, INFINITE);
    ::ResetEvent(stopEvent_.Get());
    std::lock_guard<CriticalSection> guard(lock_);
    thread_.Reset();
    threadId_ = 0;
}

std::size_t CPackWorker::QueuedCount() const {
    std::lock_guard<CriticalSection> guard(lock_);
    return packets_.size();
}

DWORD WINAPI CPackWorker::WorkerEntry(void* argument) {
    if (argument == nullptr) {
        return 0;
    }
    const ScopedComInit com(COINIT_MULTITHREADED);
    static_cast<CPackWorker*>(argument)->Run();
    return 0;
}

void CPackWorker::Run() {
    CReqPack pack;
    while (Wait(pack) == WaitResult::kPacket) {
        if (handler_ != nullptr) {
            handler_->HandlePack(&pack);
        }
    }
}

CPackWorker::WaitResult CPackWorker::Wait(CReqPack& out) {
    // The stop event comes first, so a stop request wins over queued packets.
    const HANDLE waitHandles[] = {stopEvent_.Get(), packetSemaphore_.Get()};
    const DWORD signalled = ::WaitForMultipleObjects(2, waitHandles, FALSE, INFINITE);
    if (signalled != WAIT_OBJECT_0 + 1) {
        // Stop requested, or the wait itself failed: waiting again would only spin.
        return WaitResult::kStop;
    }
    std::unique_ptr<CReqPack> head;
    {
        std::lock_guard<CriticalSection> guard(lock_);
        if (packets_.empty()) {
            return WaitResult::kStop;
        }
        head = std::move(packets_.front());
        packets_.pop_front();
    }
    out = *head;
    return WaitResult::kPacket;
}
