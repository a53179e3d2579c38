#pragma once

// What the print spooler itself says of a printer and of a job handed to
// it, where Qt's printer says less: on Windows Qt reports a print as done
// once the page is drawn, whatever the spooler then makes of it (Qt only
// warns when the spooler refuses the document). Used by the sender that
// goes through Qt's printer; elsewhere there is nothing more to ask, and
// every answer is "nothing to say". Draws nothing.

#include "platform/printing/print_outcome.h"

#include <QString>
#include <QtGlobal>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace platform {

struct WinspoolCalls;  // spooler_windows.h

// Lets EndDocument hear Qt's printer refuse a document: a message handler
// for the whole process, put in front of the one before it the first time;
// later calls do nothing.
void HearPrintEngineWarnings();

// Ends the painting of a document on Qt's printer: false where the
// spooler refused it (Qt's own answer is true either way).
bool EndDocument(const std::function<bool()>& endPainting);

class SpoolerWatch final {
public:
    // Opens the printer and notes the jobs already in its queue.
    explicit SpoolerWatch(const QString& printer);
    // Windows: the same through the given spooler calls (a test's fake).
    SpoolerWatch(const QString& printer, const WinspoolCalls& calls);
    ~SpoolerWatch();
    Q_DISABLE_COPY_MOVE(SpoolerWatch)

    // Before sending: the printer is gone, offline, in error or not
    // available; nothing when it can take a job.
    std::optional<PrintOutcome> Refusal() const;

    // After sending the document named `document`: watches the new job
    // for a moment, at most until `deadline`. Printing, printed, queued
    // behind others or held on a paused printer: accepted. In error,
    // offline or deleted unprinted: why not. The job is the first new one
    // of that name (the caller sends one document at a time), followed by
    // the id the spooler gave it from then on. A queue the spooler cannot
    // list (Wine's) says nothing: Qt's word stands.
    PrintOutcome Fate(const QString& document, std::chrono::steady_clock::time_point deadline) const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

}  // namespace platform
