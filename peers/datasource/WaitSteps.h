// The steps that wait for something Prismel does: a record, a settled
// queue, a painted frame, a list's count or selection, the camera
// library's calls. Each handles this thread's messages while it waits.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

bool RunWaitRecordStep(const std::vector<std::wstring>& args);
bool RunSettleStep();
bool RunWaitFramesStep();
bool RunWaitSelectedStep(const std::vector<std::wstring>& args);
bool RunWaitCountStep(const std::vector<std::wstring>& args);
bool RunWaitCallsStep(const std::vector<std::wstring>& args);
// The number of items of list or list view `list`; -1 without a list.
LRESULT ItemCount(HWND list);
