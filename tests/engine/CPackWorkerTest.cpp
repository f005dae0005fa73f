#include "CPackWorker.h"
#include "ScopedComInit.h"

#include "TestProcess.h"
#include "UniqueHandle.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

// Records what reaches it, on which thread, and in which apartment. A packet with type "slow"
// holds the worker for a while, flagging when it starts and when it is done.
class RecordingHandler : public CPackHandle {
public:
    static constexpr std::int32_t kSlow = 7;
    // Holds the worker until release is set (at most 10 s).
    static constexpr std::int32_t kBlocking = 8;

    void HandlePack(CReqPack* pack) override {
        // Asking for a single-threaded apartment is refused on a thread already in the
        // multithreaded one.
        const HRESULT apartment = ScopedComInit(COINIT_APARTMENTTHREADED).Result();
        if (pack->type == kBlocking) {
            started = true;
            ::WaitForSingleObject(release.Get(), 10000);
        }
        if (pack->type == kSlow) {
            started = true;
            ::Sleep(300);
            Append(L"slow done");
        }
        {
            std::lock_guard<std::mutex> guard(mutex_);
            packs.push_back(*pack);
            threadId = ::GetCurrentThreadId();
            inMultithreadedApartment = apartment == RPC_E_CHANGED_MODE;
        }
        Append(pack->text);
        ++handled;
    }

    std::vector<std::wstring> Log() {
        std::lock_guard<std::mutex> guard(mutex_);
        return log;
    }

    ScopedHandle release{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::atomic<bool> started{false};
    std::atomic<int> handled{0};
    std::vector<std::wstring> log;
    std::vector<CReqPack> packs;
    DWORD threadId = 0;
    bool inMultithreadedApartment = false;

private:
    void Append(const std::wstring& entry) {
        std::lock_guard<std::mutex> guard(mutex_);
        log.push_back(entry);
    }

    std::mutex mutex_;
};

CReqPack Packet(const wchar_t* text, std::int32_t type = REQ_UNINSTALL) {
    CReqPack pack;
    pack.type = type;
    pack.text = text;
    return pack;
}

TEST(CPackWorkerTest, PostBeforeTheThreadExistsIsRefused) {
    RecordingHandler handler;
    CPackWorker worker;
    worker.SetHandler(&handler);
    EXPECT_FALSE(worker.HasThread());
    EXPECT_FALSE(worker.Post(Packet(L"early")));
    EXPECT_EQ(worker.QueuedCount(), 0u);
    ASSERT_TRUE(worker.StartThread());
    EXPECT_TRUE(worker.HasThread());
    worker.Stop();
    EXPECT_EQ(handler.handled, 0);
}

TEST(CPackWorkerTest, PacketsAreHandledInOrderOneAfterTheOtherOnTheWorkerThread) {
    RecordingHandler handler;
    CPackWorker worker;
    worker.SetHandler(&handler);
    ASSERT_TRUE(worker.StartThread());
    CReqPack first = Packet(L"first", RecordingHandler::kSlow);
    first.param1 = -2;
    first.param2 = 0x123456789LL;
    first.param3 = 3;
    ASSERT_TRUE(worker.Post(first));
    ASSERT_TRUE(worker.Post(Packet(L"second")));
    ASSERT_TRUE(test::WaitUntil([&] { return handler.handled == 2; }));
    EXPECT_EQ(handler.Log(), (std::vector<std::wstring>{L"slow done", L"first", L"second"}));
    worker.Stop();
    ASSERT_EQ(handler.packs.size(), 2u);
    EXPECT_EQ(handler.packs[0].type, RecordingHandler::kSlow);
    EXPECT_EQ(handler.packs[0].param1, -2);
    EXPECT_EQ(handler.packs[0].param2, 0x123456789LL);
    EXPECT_EQ(handler.packs[0].param3, 3);
    EXPECT_EQ(handler.packs[1].type, REQ_UNINSTALL);
    EXPECT_EQ(handler.packs[1].param1, 0) << "the worker's packet is refilled, not reused";
    EXPECT_NE(handler.threadId, ::GetCurrentThreadId());
    EXPECT_TRUE(handler.inMultithreadedApartment);
}

TEST(CPackWorkerTest, StopWaitsForTheRunningPacketAndLeavesTheQueuedOnesUnhandled) {
    RecordingHandler handler;
    auto worker = std::make_unique<CPackWorker>();
    worker->SetHandler(&handler);
    ASSERT_TRUE(worker->StartThread());
    ASSERT_TRUE(worker->Post(Packet(L"long", RecordingHandler::kSlow)));
    ASSERT_TRUE(worker->Post(Packet(L"behind 1")));
    ASSERT_TRUE(worker->Post(Packet(L"behind 2")));
    ASSERT_TRUE(test::WaitUntil([&] { return handler.started.load(); }));
    worker->Stop();
    EXPECT_EQ(handler.Log(), (std::vector<std::wstring>{L"slow done", L"long"}))
        << "Stop returned only after the running packet";
    EXPECT_FALSE(worker->HasThread());
    EXPECT_EQ(worker->QueuedCount(), 2u);
    EXPECT_FALSE(worker->Post(Packet(L"after stop")));
    worker->Stop();
    worker.reset();
    EXPECT_EQ(handler.handled, 1) << "queued packets are freed, not handled";
}

TEST(CPackWorkerTest, PostToAFullQueueIsRefusedAndQueuesNothing) {
    RecordingHandler handler;
    CPackWorker worker;
    worker.SetHandler(&handler);
    ASSERT_TRUE(worker.StartThread());
    ASSERT_TRUE(worker.Post(Packet(L"holds the worker", RecordingHandler::kBlocking)));
    ASSERT_TRUE(test::WaitUntil([&] { return handler.started.load(); }));
    int accepted = 0;
    while (accepted < CPackWorker::kQueueCapacity + 1 && worker.Post(Packet(L"filler"))) {
        ++accepted;
    }
    EXPECT_EQ(accepted, CPackWorker::kQueueCapacity);
    EXPECT_EQ(worker.QueuedCount(), static_cast<std::size_t>(CPackWorker::kQueueCapacity));
    ::SetEvent(handler.release.Get());
    worker.Stop();
}

TEST(CPackWorkerTest, StopOnAQueueNeverStartedOrTwiceReturns) {
    CPackWorker never;
    never.Stop();
    never.Stop();
    EXPECT_FALSE(never.HasThread());

    CPackWorker started;
    ASSERT_TRUE(started.StartThread());
    EXPECT_TRUE(started.StartThread()) << "a second start keeps the thread";
    started.Stop();
    started.Stop();
    EXPECT_FALSE(started.HasThread());
}

TEST(CPackWorkerTest, WithoutHandlerPacketsAreTakenAndDropped) {
    RecordingHandler handler;
    CPackWorker worker;
    ASSERT_TRUE(worker.StartThread());
    ASSERT_TRUE(worker.Post(Packet(L"dropped 1")));
    ASSERT_TRUE(worker.Post(Packet(L"dropped 2")));
    ASSERT_TRUE(test::WaitUntil([&] { return worker.QueuedCount() == 0; }));
    worker.Stop();
    EXPECT_TRUE(worker.SetHandler(&handler)) << "a stopped worker takes a new handler";
    ASSERT_TRUE(worker.StartThread());
    ASSERT_TRUE(worker.Post(Packet(L"kept")));
    ASSERT_TRUE(test::WaitUntil([&] { return handler.handled == 1; }));
    worker.Stop();
    EXPECT_EQ(handler.Log(), std::vector<std::wstring>{L"kept"});
}

TEST(CPackWorkerTest, DestroyingAnIdleWorkerEndsItsThread) {
    RecordingHandler handler;
    {
        CPackWorker worker;
        worker.SetHandler(&handler);
        ASSERT_TRUE(worker.StartThread());
        ASSERT_TRUE(worker.Post(Packet(L"one")));
        ASSERT_TRUE(test::WaitUntil([&] { return handler.handled == 1; }));
    }
    EXPECT_EQ(handler.handled, 1);
}

// Posting threads and stopping threads all at once, from a common start signal. Every accepted
// packet is either handled or still queued, none twice; a post after the stops is refused; and the
// worker starts and works again afterwards (no stop request is left behind for the next thread).
TEST(CPackWorkerTest, ConcurrentPostsAndStopsLoseNothingAndLeaveAWorkingQueue) {
    constexpr int kRounds = 40;
    constexpr int kPosters = 4;
    constexpr int kStoppers = 2;
    constexpr int kPostsEach = 200;
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE(round);
        RecordingHandler handler;
        CPackWorker worker(&handler);
        ASSERT_TRUE(worker.StartThread());
        std::atomic<int> accepted{0};
        ScopedHandle go(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
        std::vector<std::thread> threads;
        for (int poster = 0; poster < kPosters; ++poster) {
            threads.emplace_back([&] {
                ::WaitForSingleObject(go.Get(), INFINITE);
                for (int post = 0; post < kPostsEach; ++post) {
                    if (worker.Post(Packet(L"p"))) {
                        ++accepted;
                    }
                }
            });
        }
        for (int stopper = 0; stopper < kStoppers; ++stopper) {
            threads.emplace_back([&] {
                ::WaitForSingleObject(go.Get(), INFINITE);
                ::Sleep(static_cast<DWORD>(round % 3));
                worker.Stop();
            });
        }
        ::SetEvent(go.Get());
        for (std::thread& thread : threads) {
            thread.join();
        }
        EXPECT_FALSE(worker.HasThread());
        EXPECT_EQ(static_cast<std::size_t>(handler.handled.load()) + worker.QueuedCount(),
                  static_cast<std::size_t>(accepted.load()));
        EXPECT_FALSE(worker.Post(Packet(L"after the stops")));

        const int handledBefore = handler.handled;
        ASSERT_TRUE(worker.StartThread());
        ASSERT_TRUE(worker.Post(Packet(L"after a new start")));
        EXPECT_TRUE(test::WaitUntil([&] { return handler.handled > handledBefore; }, 5000));
        worker.Stop();
    }
}

}  // namespace
