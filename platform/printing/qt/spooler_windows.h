#pragma once

// The Windows spooler's calls that SpoolerWatch makes, as one table: the
// real winspool functions, or a test's fake of them. Decides nothing.

#include <windows.h>
#include <winspool.h>

#include <functional>

namespace platform {

struct WinspoolCalls final {
    std::function<BOOL(LPWSTR, LPHANDLE, LPPRINTER_DEFAULTSW)> openPrinter;
    std::function<BOOL(HANDLE)> closePrinter;
    // EnumJobsW, failing with ERROR_INSUFFICIENT_BUFFER (GetLastError)
    // when the buffer is short.
    std::function<BOOL(HANDLE, DWORD, DWORD, DWORD, LPBYTE, DWORD, LPDWORD, LPDWORD)> enumJobs;
    // SetJobW: here only to delete a job by its id (JOB_CONTROL_DELETE).
    std::function<BOOL(HANDLE, DWORD, DWORD, LPBYTE, DWORD)> setJob;
};

// winspool itself.
const WinspoolCalls& SystemWinspool();

}  // namespace platform
