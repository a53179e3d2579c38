#pragma once

// What the Windows spooler itself holds of one print's job, where Qt's
// printer says less: Qt reports a print as done once the page is drawn,
// whatever the spooler then makes of it (it only warns when the spooler
// refuses the document). The job is found by the print's document name,
// which no other print has, then followed by the id the spooler gave it;
// a job told as not made is deleted, so that it cannot come out later.
// Used by the sender that goes through Qt's printer (Windows); draws
// nothing and decides nothing about when a print is given up.

#include "platform/printing/print_budget.h"
#include "platform/printing/print_outcome.h"

#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>

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
    // Opens the printer to follow the job of `document`, this print's name.
    SpoolerWatch(const QString& printer, const QString& document);
    // The same through the given spooler calls (a test's fake).
    SpoolerWatch(const QString& printer, const QString& document, const WinspoolCalls& calls);
    ~SpoolerWatch();
    Q_DISABLE_COPY_MOVE(SpoolerWatch)

    // After the document was handed over: watches its job for
    // kSpoolerWatch at most, until `budget` ends; every listing the spooler
    // gives is heard. Printing, printed, queued behind others or held:
    // accepted. Deleted unprinted: SendFailed. In error, offline or out of
    // paper: withdrawn as NotAccepting. A queue the spooler cannot list
    // (Wine's) says nothing: Qt's word stands.
    PrintOutcome Fate(const PrintBudget& budget);

    // The print is not made (refused, or given up): its job is deleted.
    // `why` where none of it is left in the queue; Unsettled where the
    // spooler cannot list its jobs or keeps this one (the page may still
    // come out).
    PrintOutcome Withdraw(PrintOutcome why);

private:
    struct State;
    std::unique_ptr<State> m_state;
};

}  // namespace platform
