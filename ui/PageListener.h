#pragma once

#include "CControlUI.h"
#include "INotifyUI.h"

// Adds a page to (and removes it from) the notification listeners of the manager its control
// tree is attached to. Nothing happens for a control without a manager.
void ListenToManager(DuiLib::CControlUI* page, DuiLib::INotifyUI* listener);
void StopListeningToManager(DuiLib::CControlUI* page, DuiLib::INotifyUI* listener);
