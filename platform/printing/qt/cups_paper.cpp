#include "platform/printing/qt/cups_paper.h"

#include "platform/printing/qt/cups_library.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string_view>

namespace platform {

namespace {

constexpr double kMillimetresPerPoint = 25.4 / 72.0;
constexpr const char* kFallbackPaper = "iso_a4_210x297mm";

struct Size final {
    double width = 0;  // millimetres
    double length = 0;
    std::optional<Margins> margins;  // where the source knows them for this size
};

// libcups' own table of sizes, by any of the names IPP and PPDs use:
// "iso_a5_148x210mm", "custom_hagaki_100x148mm", "na_letter", "A5",
// "Letter", "Postcard", "Custom.100x148mm".
std::optional<Size> FromMediaTable(const char* name)
{
    const pwg_media_t* media = Libcups().pwgMediaForPWG(name);
    if (!media) {
        media = Libcups().pwgMediaForLegacy(name);
    }
    if (!media) {
        media = Libcups().pwgMediaForPPD(name);
    }
    if (!media || media->width <= 0 || media->length <= 0) {
        return std::nullopt;
    }
    return Size{media->width / 100.0, media->length / 100.0, std::nullopt};
}

// A printer whose driver is a PPD has sizes of its own ("JISB5") and knows
// the printable area of each. Fetched from the scheduler on the print's own
// connection, so that its waits are the print's.
class PrinterPpd final {
public:
    PrinterPpd(http_t* http, const char* printer)
    {
        const std::unique_ptr<FILE, int (*)(FILE*)> file(std::tmpfile(), &std::fclose);
        const std::string resource = std::string("/printers/") + printer + ".ppd";
        if (file && Libcups().cupsGetFd(http, resource.c_str(), fileno(file.get())) == HTTP_STATUS_OK
            && lseek(fileno(file.get()), 0, SEEK_SET) == 0) {
            m_ppd = Libcups().ppdOpenFd(dup(fileno(file.get())));  // closes the copy it is given
        }
    }
    ~PrinterPpd()
    {
        if (m_ppd) {
            Libcups().ppdClose(m_ppd);
        }
    }
    PrinterPpd(const PrinterPpd&) = delete;
    PrinterPpd& operator=(const PrinterPpd&) = delete;
    PrinterPpd(PrinterPpd&&) = delete;
    PrinterPpd& operator=(PrinterPpd&&) = delete;

    std::optional<Size> Find(const char* name) const
    {
        const ppd_size_t* size = m_ppd ? Libcups().ppdPageSize(m_ppd, name) : nullptr;
        if (!size || size->width <= 0 || size->length <= 0) {
            return std::nullopt;
        }
        const Margins margins{size->left * kMillimetresPerPoint, (size->length - size->top) * kMillimetresPerPoint,
                              (size->width - size->right) * kMillimetresPerPoint,
                              size->bottom * kMillimetresPerPoint};
        return Size{size->width * kMillimetresPerPoint, size->length * kMillimetresPerPoint, margins};
    }

private:
    ppd_file_t* m_ppd = nullptr;
};

// The widest margin the printer may need on one edge, in millimetres: the
// largest of the values it lists ("media-left-margin-supported" 0, 423 for
// a printer that prints borderless or with 4.23 mm).
double WidestMargin(http_t* http, cups_dest_t* dest, cups_dinfo_t* info, const char* attribute)
{
    ipp_attribute_t* supported = Libcups().cupsFindDestSupported(http, dest, info, attribute);
    int widest = 0;
    for (int i = 0; supported && i < Libcups().ippGetCount(supported); ++i) {
        widest = std::max(widest, Libcups().ippGetInteger(supported, i));
    }
    return widest / 100.0;
}

bool Set(const char* value)
{
    return value != nullptr && std::strcmp(value, "false") != 0 && std::strcmp(value, "no") != 0
           && std::strcmp(value, "off") != 0;
}

// "landscape", or "orientation-requested" 4 (turned anticlockwise) or 5.
bool Landscape(const cups_dest_t& dest)
{
    const char* orientation = Libcups().cupsGetOption("orientation-requested", dest.num_options, dest.options);
    return Set(Libcups().cupsGetOption("landscape", dest.num_options, dest.options))
           || (orientation != nullptr && (std::strcmp(orientation, "4") == 0 || std::strcmp(orientation, "5") == 0));
}

// The sizes the user chose, in the order CUPS weighs them: each entry of
// `media` ("A4,Upper" names a size and a tray), then `PageSize`.
std::vector<std::string> ChosenNames(const cups_dest_t& dest)
{
    std::vector<std::string> names;
    if (const char* media = Libcups().cupsGetOption("media", dest.num_options, dest.options)) {
        std::string_view rest(media);
        while (!rest.empty()) {
            const size_t comma = rest.find(',');
            names.emplace_back(rest.substr(0, comma));
            rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
        }
    }
    for (const char* option : {"PageSize", "PageRegion"}) {
        if (const char* size = Libcups().cupsGetOption(option, dest.num_options, dest.options)) {
            names.emplace_back(size);
        }
    }
    return names;
}

}  // namespace

JobPaper PaperForJob(http_t* http, cups_dest_t* dest, cups_dinfo_t* info)
{
    const PrinterPpd ppd(http, dest->name);
    const auto lookUp = [&ppd](const std::string& name) {
        std::optional<Size> size = ppd.Find(name.c_str());
        return size ? size : FromMediaTable(name.c_str());
    };

    JobPaper job;
    for (int i = 0; i < dest->num_options; ++i) {
        job.options.emplace_back(dest->options[i].name, dest->options[i].value);
    }
    std::optional<Size> size;
    for (const std::string& name : ChosenNames(*dest)) {
        if ((size = lookUp(name))) {
            break;
        }
    }
    if (!size) {
        ipp_attribute_t* queueDefault = Libcups().cupsFindDestDefault(http, dest, info, "media");
        const char* name = queueDefault != nullptr ? Libcups().ippGetString(queueDefault, 0, nullptr) : nullptr;
        if (name == nullptr || !(size = lookUp(name))) {
            name = kFallbackPaper;
            size = FromMediaTable(name);
        }
        // A `media` of the user's that names no size names a tray or a
        // kind of paper ("Upper", "photographic"): kept beside the size.
        const char* chosen = Libcups().cupsGetOption("media", dest->num_options, dest->options);
        job.options.emplace_back("media", chosen != nullptr ? std::string(name) + "," + chosen : std::string(name));
    }
    job.paper.width = size->width;
    job.paper.length = size->length;
    job.paper.margins = size->margins.value_or(
        Margins{WidestMargin(http, dest, info, "media-left-margin-supported"),
                WidestMargin(http, dest, info, "media-top-margin-supported"),
                WidestMargin(http, dest, info, "media-right-margin-supported"),
                WidestMargin(http, dest, info, "media-bottom-margin-supported")});
    job.paper.landscape = Landscape(*dest);
    return job;
}

}  // namespace platform
