#include "platform/printing/cups_sender.h"

#include <algorithm>
#include <optional>
#include <thread>

namespace platform {

namespace {

// What an answer that is not Ok means for the user. No answer at all is a
// server out of reach, or, once the patience has run out, a silent one.
PrintOutcome Meaning(Said said, const PrintBudget& budget)
{
    switch (said) {
    case Said::Ok: return PrintOutcome::Accepted;
    case Said::NotFound: return PrintOutcome::NoPrinter;
    case Said::NotAccepting: return PrintOutcome::NotAccepting;
    case Said::NotAuthorised: return PrintOutcome::NotAuthorised;
    case Said::PasswordAsked: return PrintOutcome::PasswordAsked;
    case Said::Unavailable: return PrintOutcome::NoServer;
    case Said::Refused: return PrintOutcome::SendFailed;
    case Said::Nothing: return budget.PastDeadline() ? PrintOutcome::NoAnswer : PrintOutcome::NoServer;
    }
    return PrintOutcome::SendFailed;
}

// After a request whose answer was lost, or a document refused: whatever
// the server holds of the print decides, asked again on a fresh
// connection until it answers or the withdrawing time is spent (the print
// is then told as unsettled by its watchdog). `job` is the job's id where
// Create-Job's answer gave it.
PrintOutcome Settle(const ConnectToCups& connect, const CupsPrint& print, std::optional<int> job,
                    PrintOutcome failure)
{
    const PrintBudget withdrawing = print.budget.Until(print.withdrawnBy);
    for (; !withdrawing.Spent(); std::this_thread::sleep_for(kRetryEvery)) {
        const std::unique_ptr<CupsServer> server =
            connect(withdrawing.Until(std::min(print.withdrawnBy, PrintClock::now() + kAsking)));
        std::vector<HeldJob> jobs;
        if (!server || server->JobsNamed(print.name, jobs) != Said::Ok) {
            continue;
        }
        if (job) {
            std::erase_if(jobs, [&job](const HeldJob& held) { return held.id != *job; });
        }
        if (std::any_of(jobs.begin(), jobs.end(), [](const HeldJob& held) { return held.whole; })) {
            return PrintOutcome::Accepted;
        }
        bool withdrawn = true;
        for (const HeldJob& held : jobs) {
            if (held.open) {
                const Said said = server->CancelJob(held.id);
                withdrawn = withdrawn && (said == Said::Ok || said == Said::NotFound);
            }
        }
        if (withdrawn) {
            return failure;
        }
    }
    return PrintOutcome::Unsettled;
}

}  // namespace

PrintOutcome SendThroughCups(const ConnectToCups& connect, const CupsPrint& print)
{
    const std::unique_ptr<CupsServer> server = connect(print.budget);
    if (!server) {
        return Meaning(Said::Nothing, print.budget);
    }
    // Until Create-Job is sent, no job can exist: a failure is told as it is.
    Paper paper;
    if (const Said found = server->FindPrinter(paper); found != Said::Ok) {
        return Meaning(found, print.budget);
    }
    const PagePlacement placed = PlaceWindow(paper, print.width, print.height);
    if (!(placed.scale > 0)) {
        return PrintOutcome::NoPrintableArea;  // the page would come out blank
    }
    int job = 0;
    const Said created = server->CreateJob(print.name, job);
    if (created == Said::Ok && job > 0) {
        const Said sent = server->SendDocument(job, placed);
        return sent == Said::Ok ? PrintOutcome::Accepted : Settle(connect, print, job, Meaning(sent, print.budget));
    }
    if (created != Said::Nothing && created != Said::Ok) {
        return Meaning(created, print.budget);  // refused: no job was made
    }
    return Settle(connect, print, std::nullopt, Meaning(Said::Nothing, print.budget));
}

}  // namespace platform
