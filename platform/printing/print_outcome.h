#pragma once

// How a print ended, as far as the print system told: the job was accepted,
// or why not (printing's promise: platform/printing/qt/window_printer.h).
// Telling the user is the caller's business; this only names the cases the
// user can act on.

namespace platform {

enum class PrintOutcome {
    Accepted,         // the print system has the job (printing, queued or held)
    NoPrinter,        // no default printer is set
    NoServer,         // the print system cannot be reached
    NotAccepting,     // the printer refuses new jobs
    NotAuthorised,    // the print server does not let this user print there
    NoAnswer,         // the print system took the connection but did not answer in time
    SendFailed,       // the page could not be made or sent
    NoPrintSystem,    // the print system is not installed (libcups cannot be loaded)
    PasswordAsked,    // the print server asks for a password, which printing never gives
    NoPrintableArea,  // the printer's paper has no room to print on: nothing was sent
    Unsettled,        // told as failed, but the job could not be withdrawn: the page may still come out
};

}  // namespace platform
