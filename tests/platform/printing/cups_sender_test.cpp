#include "platform/printing/cups_sender.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace {

using platform::HeldJob;
using platform::PrintOutcome;
using platform::Said;
using namespace std::chrono_literals;

enum class Call { Find, Create, Send, List, Cancel };
// What becomes of one request: Done (carried out, its answer lost), Lost
// (neither), Silent (neither, the server silent past the patience), or
// the server's refusal.
enum class Fault { Done, Lost, Silent, NotFound, NotAccepting, NotAuthorised, PasswordAsked, Refused };

// The print server as the sender meets it: a record of jobs, and faults
// for the nth call of a kind (counted over every connection).
struct FakeCups final {
    std::map<std::pair<Call, int>, Fault> faults;
    int connections = 100;  // how many can be made
    int away = 0;           // how many tries after the first find no server, before it is back
    int tries = 0;
    double paperWidth = 210;
    std::map<int, HeldJob> jobs{{7, {7, false, true}}};  // another print's, named "other"
    std::map<int, std::string> names{{7, "other"}};
    std::map<Call, int> calls;

    // Runs `act` unless the fault says otherwise, and says what the server answered.
    template <typename Act>
    Said Request(Call call, Act act)
    {
        const auto fault = faults.find({call, ++calls[call]});
        if (fault == faults.end() || fault->second == Fault::Done) {
            act();
        }
        if (fault == faults.end()) {
            return Said::Ok;
        }
        switch (fault->second) {
        case Fault::Done: case Fault::Lost: case Fault::Silent: return Said::Nothing;
        case Fault::NotFound: return Said::NotFound;
        case Fault::NotAccepting: return Said::NotAccepting;
        case Fault::NotAuthorised: return Said::NotAuthorised;
        case Fault::PasswordAsked: return Said::PasswordAsked;
        case Fault::Refused: return Said::Refused;
        }
        return Said::Refused;
    }
};

class FakeServer final : public platform::CupsServer {
public:
    explicit FakeServer(FakeCups& cups) : m_cups(cups) {}
    Said FindPrinter(platform::Paper& paper) override
    {
        return m_cups.Request(Call::Find, [&] { paper = {m_cups.paperWidth, 297, {}, false}; });
    }
    Said CreateJob(const std::string& name, int& job) override
    {
        const int id = 100 + m_cups.calls[Call::Create];
        return m_cups.Request(Call::Create, [&] {
            m_cups.jobs[id] = {id, false, true};
            m_cups.names[id] = name;
            job = id;
        });
    }
    Said SendDocument(int job, const platform::PagePlacement& /*placed*/) override
    {
        return m_cups.Request(Call::Send, [&] { m_cups.jobs[job].whole = true; });
    }
    Said JobsNamed(const std::string& name, std::vector<HeldJob>& jobs) override
    {
        return m_cups.Request(Call::List, [&] {
            for (const auto& [id, held] : m_cups.jobs) {
                if (m_cups.names[id] == name) {
                    jobs.push_back(held);
                }
            }
        });
    }
    Said CancelJob(int job) override { return m_cups.Request(Call::Cancel, [&] { m_cups.jobs[job].open = false; }); }

private:
    FakeCups& m_cups;
};

// Each print's outcome from what the server did and said, and what it
// holds afterwards: nothing open but the other print's job, and the
// document whole exactly when the print is told as accepted (or may
// still come out).
TEST(CupsSender, TheServersRecordDecides)
{
    const struct {
        const char* what;
        std::map<std::pair<Call, int>, Fault> faults;
        PrintOutcome outcome;
        bool whole = false;  // the document on the server
        bool askedAgain = false;
        int connections = 100;
        double paperWidth = 210;
        int away = 0;
    } rows[] = {
        {"every answer heard", {}, PrintOutcome::Accepted, true},
        {"no connection", {}, PrintOutcome::NoServer, false, false, 0},
        {"no default printer", {{{Call::Find, 1}, Fault::NotFound}}, PrintOutcome::NoPrinter},
        {"the printer's description unanswered: no job can exist", {{{Call::Find, 1}, Fault::Silent}}, PrintOutcome::NoAnswer},
        {"a paper with no room", {}, PrintOutcome::NoPrintableArea, false, false, 100, 12},
        {"a queue refusing jobs", {{{Call::Create, 1}, Fault::NotAccepting}}, PrintOutcome::NotAccepting},
        {"a queue refusing this user", {{{Call::Create, 1}, Fault::NotAuthorised}}, PrintOutcome::NotAuthorised},
        {"a password asked", {{{Call::Create, 1}, Fault::PasswordAsked}}, PrintOutcome::PasswordAsked},
        {"Create-Job made the job, its answer lost", {{{Call::Create, 1}, Fault::Done}}, PrintOutcome::NoServer, false, true},
        {"Create-Job lost on its way", {{{Call::Create, 1}, Fault::Lost}}, PrintOutcome::NoServer, false, true},
        {"Create-Job unanswered past the patience", {{{Call::Create, 1}, Fault::Silent}}, PrintOutcome::NoAnswer, false, true},
        {"the document taken, its answer lost", {{{Call::Send, 1}, Fault::Done}}, PrintOutcome::Accepted, true, true},
        {"the document lost on its way", {{{Call::Send, 1}, Fault::Lost}}, PrintOutcome::NoServer, false, true},
        {"the document refused", {{{Call::Send, 1}, Fault::Refused}}, PrintOutcome::SendFailed, false, true},
        {"asked again until heard",
         {{{Call::Create, 1}, Fault::Done}, {{Call::List, 1}, Fault::Lost}, {{Call::Cancel, 1}, Fault::Lost}},
         PrintOutcome::NoServer, false, true},
        {"the document taken, the server out of reach after", {{{Call::Send, 1}, Fault::Done}}, PrintOutcome::Unsettled,
         true, false, 1},
        {"a job begun, the server out of reach after", {{{Call::Create, 1}, Fault::Done}}, PrintOutcome::Unsettled,
         false, false, 1},
        // Told as unsettled meanwhile; the job it made is withdrawn all the same.
        {"a job begun, the server back a while after", {{{Call::Create, 1}, Fault::Done}}, PrintOutcome::NoServer,
         false, true, 100, 210, 5},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        FakeCups cups;
        cups.faults = row.faults;
        cups.connections = row.connections;
        cups.paperWidth = row.paperWidth;
        cups.away = row.away;
        bool silent = false;
        for (const auto& [call, fault] : row.faults) {
            silent = silent || fault == Fault::Silent;
        }
        const auto connect = [&cups](const platform::PrintBudget& /*budget*/) -> std::unique_ptr<platform::CupsServer> {
            const int tried = ++cups.tries;
            const bool away = tried > 1 && tried <= 1 + cups.away;
            return tried <= cups.connections && !away ? std::make_unique<FakeServer>(cups) : nullptr;
        };
        // A silent server is one whose print has run out of patience.
        const auto now = platform::PrintClock::now();
        const platform::PrintBudget budget(silent ? now : now + 1h, {});
        EXPECT_EQ(platform::SendThroughCups(connect, {"Form1 #1", 167.2, 108.0, budget, now + 800ms}), row.outcome);

        EXPECT_TRUE(cups.jobs[7].open) << "another print's job was touched";
        int open = 0;
        int whole = 0;
        for (const auto& [id, held] : cups.jobs) {
            open += id != 7 && held.open && !held.whole ? 1 : 0;
            whole += held.whole ? 1 : 0;
        }
        EXPECT_EQ(whole, row.whole ? 1 : 0);
        EXPECT_EQ(open, row.outcome == PrintOutcome::Unsettled && !row.whole ? 1 : 0) << "a job left half";
        EXPECT_EQ(cups.calls[Call::List] > 0, row.askedAgain);
    }
}

}  // namespace
