#pragma once

// A print through CUPS as a series of decisions: which request comes next,
// what the server's answer means for the user, when a job is withdrawn, and
// when the server is asked what it holds of the print. The server's own
// record settles every doubt: after a request whose answer was lost (the
// connection broken, closed or silent), the print asks again on a fresh
// connection for its jobs, by a name no other print has: a job whole is
// printed and needs no word; one begun is withdrawn and the failure told;
// none, told; a server that cannot be asked, told that the page may still
// come out, and asked again until the job is withdrawn or the withdrawing
// time is spent. Makes no request itself: CupsServer does (libcups, or a test's
// fake), and which printer, paper and options is the server's business.

#include "platform/printing/page_layout.h"
#include "platform/printing/print_budget.h"
#include "platform/printing/print_outcome.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// What the server said to one request.
enum class Said {
    Ok,
    NotFound,       // no such printer, or no default one
    NotAccepting,   // the printer refuses new jobs
    NotAuthorised,  // this user may not print there
    PasswordAsked,  // only with a password, which printing never gives
    Unavailable,    // the server is there but cannot serve now
    Refused,        // any other error
    Nothing,        // no answer: the connection broke, closed or fell silent
};

// One of the print's jobs, as the server holds it.
struct HeldJob final {
    int id = 0;
    bool whole = false;  // its document is all there: it prints, or waits its turn
    bool open = false;   // not yet ended: without its document it would wait, or print half
};

// One connection to the server; every wait on it ends with the budget the
// connection was made with, as Nothing.
class CupsServer {
public:
    virtual ~CupsServer() = default;

    // The default printer and the paper its job will come out on.
    virtual Said FindPrinter(Paper& paper) = 0;
    virtual Said CreateJob(const std::string& name, int& job) = 0;
    // The page, placed on that paper, as the job's one and last document.
    virtual Said SendDocument(int job, const PagePlacement& placed) = 0;
    // This user's jobs of that name on the printer, whatever their state.
    virtual Said JobsNamed(const std::string& name, std::vector<HeldJob>& jobs) = 0;
    virtual Said CancelJob(int job) = 0;

protected:
    CupsServer() = default;
    CupsServer(const CupsServer&) = default;
    CupsServer(CupsServer&&) = default;
    CupsServer& operator=(const CupsServer&) = default;
    CupsServer& operator=(CupsServer&&) = default;
};

// A fresh connection to the server, or null where none could be made
// within the budget.
using ConnectToCups = std::function<std::unique_ptr<CupsServer>(const PrintBudget& budget)>;

struct CupsPrint final {
    std::string name;  // the job's name: this print's alone
    double width = 0;  // the window on paper at its designed size, millimetres
    double height = 0;
    PrintBudget budget;                  // for taking the job whole
    PrintClock::time_point withdrawnBy;  // for asking afterwards and withdrawing
};

PrintOutcome SendThroughCups(const ConnectToCups& connect, const CupsPrint& print);

}  // namespace platform
