#pragma once

#include <cstdint>
#include <string>

// The request kind that asks the engine to remove the installed product.
constexpr std::int32_t REQ_UNINSTALL = 200;

// CReqPack is one request for the worker thread: a kind, three numbers and a text. It is copied
// into the queue by the posting thread and out of it by the worker.
struct CReqPack {
    std::int32_t type = 0;
    std::int64_t param1 = 0;
    std::int64_t param2 = 0;
    std::int64_t param3 = 0;
    std::wstring text;
};
