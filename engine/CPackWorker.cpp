#include "CPackWorker.h"

#include "ScopedComInit.h"

#include <objbase.h>

#include <mutex>

namespace {

// Far above what the engine ever queues (one packet per run).
constexpr LONG kMaxQueuedPackets = 10000;

}  // namespace

CPackWorker::CPackWorker()
    : stopEvent_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      packetSemaphore_(::CreateSemaphoreW(nullptr, 0, kMaxQueuedPackets, nullptr)) {}

CPackWorker::~CPackWorker() {
    Stop();
}

void CPackWorker::SetHandler(CPackHandle* handler) {
    handler_ = handler;
}

bool CPackWorker::HasThread() const {
    return thread_.IsValid();
}

bool CPackWorker::StartThread() {
    if (thread_) {
        return true;
    }
    thread_.Reset(
        ::CreateThread(nullptr, 0, &CPackWorker::WorkerEntry, this, CREATE_SUSPENDED, nullptr));
    if (!thread_) {
        return false;
    }
    ::ResumeThread(thread_.Get());
    return true;
}

bool CPackWorker::Post(const CReqPack& pack) {
    if (!thread_) {
        return false;
    }
    auto copy = std::make_unique<CReqPack>(pack);
    std::lock_guard<CriticalSection> guard(lock_);
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
    if (!thread_) {
        return;
    }
    ::ResumeThread(thread_.Get());
    ::SetEvent(stopEvent_.Get());
    ::WaitForSingleObject(thread_.Get(), INFINITE);
    ::ResetEvent(stopEvent_.Get());
    thread_.Reset();
}

std::size_t CPackWorker::QueuedCount() {
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
    while (Wait(pack) == WaitResult::Packet) {
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
        return WaitResult::Stop;
    }
    std::unique_ptr<CReqPack> head;
    {
        std::lock_guard<CriticalSection> guard(lock_);
        if (packets_.empty()) {
            return WaitResult::Stop;
        }
        head = std::move(packets_.front());
        packets_.pop_front();
    }
    out = *head;
    return WaitResult::Packet;
}
