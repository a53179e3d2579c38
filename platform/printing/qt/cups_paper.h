#pragma once

// The paper a CUPS job will come out on, found as the print system itself
// finds it: the user's own saved choice for the printer (lpoptions: `media`
// by PWG or legacy name, or a PPD `PageSize`) where there is one, else the
// queue's default; and the job's options, the user's saved ones, saying
// that paper. Sizes and margins come from libcups' media tables and the
// printer's own PPD, never from a table of ours. Draws nothing.

#include "platform/printing/page_layout.h"

#include <cups/cups.h>

#include <string>
#include <utility>
#include <vector>

namespace platform {

struct JobPaper final {
    Paper paper;
    // name=value pairs for the job: the user's saved options for the
    // printer, as `lp` sends them, plus `media` where those name no paper.
    std::vector<std::pair<std::string, std::string>> options;
};

// A4, and a job that says so, when neither the user nor the queue names a
// paper that libcups or the printer's PPD knows.
JobPaper PaperForJob(http_t* http, cups_dest_t* dest, cups_dinfo_t* info);

}  // namespace platform
