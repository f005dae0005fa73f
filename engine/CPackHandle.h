#pragma once

#include "CReqPack.h"

// CPackHandle receives the requests that the worker thread takes out of its queue. HandlePack runs
// on the worker thread; the packet is valid only during the call.
class CPackHandle {
public:
    virtual ~CPackHandle();
    virtual void HandlePack(CReqPack* pack) = 0;
};
