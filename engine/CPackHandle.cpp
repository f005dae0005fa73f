#include "CPackHandle.h"

CPackHandle::~CPackHandle() = default;
