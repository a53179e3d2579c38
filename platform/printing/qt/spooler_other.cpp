#include "platform/printing/qt/spooler.h"

namespace platform {

// Without a spooler of its own to ask, Qt's printer is taken at its word.

void HearPrintEngineWarnings() {}

bool EndDocument(const std::function<bool()>& endPainting)
{
    return endPainting();
}

struct SpoolerWatch::State final {};

SpoolerWatch::SpoolerWatch(const QString& /*printer*/) {}

SpoolerWatch::~SpoolerWatch() = default;

std::optional<PrintOutcome> SpoolerWatch::Refusal() const
{
    return std::nullopt;
}

PrintOutcome SpoolerWatch::Fate(const QString& /*document*/, std::chrono::steady_clock::time_point /*deadline*/) const
{
    return PrintOutcome::Accepted;
}

}  // namespace platform
