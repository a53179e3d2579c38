#pragma once

// libcups, loaded on the first print instead of at start-up. With what it
// brings along (GnuTLS, Kerberos, p11-kit and more) it is some 3 MB that a
// window nobody prints from never needs; loaded with the program it was
// most of what the window costs beyond a plain Qt window showing Japanese
// text. Only the functions the printing code calls are looked up; calls go
// through Libcups().name(...).

#include <cups/cups.h>
#include <cups/ppd.h>

namespace platform {

// One list of the functions, read by the table below and by the loader: a
// macro is the only way C++ has to turn a name into both a member and the
// string dlsym looks for.
// NOLINTBEGIN(cppcoreguidelines-macro-usage, bugprone-macro-parentheses)
#define PELMARO_LIBCUPS_FUNCTIONS(X)                                                                       \
    X(cupsAddOption) X(cupsCancelDestJob) X(cupsCopyDestInfo) X(cupsCreateDestJob) X(cupsEncryption)       \
    X(cupsFindDestDefault) X(cupsFindDestSupported) X(cupsFinishDestDocument) X(cupsFreeDestInfo)          \
    X(cupsFreeDests) X(cupsFreeJobs) X(cupsFreeOptions) X(cupsGetFd) X(cupsGetJobs2) X(cupsGetNamedDest)   \
    X(cupsGetOption) X(cupsLastError) X(cupsServer) X(cupsSetPasswordCB2) X(cupsStartDestDocument)         \
    X(cupsWriteRequestData) X(httpClose) X(httpConnect2) X(httpError) X(httpGetFd) X(httpGetStatus)        \
    X(httpSetTimeout) X(ippGetCount) X(ippGetInteger) X(ippGetString) X(ippPort) X(ppdClose) X(ppdOpenFd)  \
    X(ppdPageSize) X(pwgMediaForLegacy) X(pwgMediaForPPD) X(pwgMediaForPWG)

// libcups calls its PPD functions old, though CUPS itself prints through them.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
struct LibcupsFunctions final {
#define PELMARO_LIBCUPS_POINTER(name) decltype(&::name) name = nullptr;
    PELMARO_LIBCUPS_FUNCTIONS(PELMARO_LIBCUPS_POINTER)
#undef PELMARO_LIBCUPS_POINTER
};
// NOLINTEND(cppcoreguidelines-macro-usage, bugprone-macro-parentheses)
#pragma GCC diagnostic pop

// Loads libcups the first time it is asked, from any thread; false where
// it cannot be loaded (the print is then told as not sent).
bool LoadLibcups();

// The functions; only after LoadLibcups() has said true.
const LibcupsFunctions& Libcups();

}  // namespace platform
