// libFuzzer target: arbitrary doubles and 16-bit axes into the residual power
// and every caption. Crashes and undefined behaviour are caught by the
// sanitizers; the checks below catch results that break the caption's form.

#include "power/lens_reading.h"
#include "power/residual_caption.h"
#include "power/residual_power.h"
#include "tests/power/caption_grammar.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

template <typename T>
T Take(const std::uint8_t*& data, std::size_t& size)
{
    T value{};
    const std::size_t n = size < sizeof(T) ? size : sizeof(T);
    std::memcpy(&value, data, n);
    data += n;
    size -= n;
    return value;
}

void Require(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

bool ShowsNoNumberWords(const std::string& text)
{
    return text.find("nan") == std::string::npos && text.find("inf") == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    power::LensPower check;
    power::LensPower measured;
    check.sphere = Take<double>(data, size);
    check.cylinder = Take<double>(data, size);
    check.axis = Take<std::int16_t>(data, size);
    measured.sphere = Take<double>(data, size);
    measured.cylinder = Take<double>(data, size);
    measured.axis = Take<std::int16_t>(data, size);

    for (const double value : {check.sphere, check.cylinder, measured.sphere, measured.cylinder}) {
        Require(ShowsNoNumberWords(power::DioptreCaption(value)));
    }
    power::AxisCaption(*check.axis);
    power::AxisCaption(static_cast<std::int16_t>(Take<std::uint16_t>(data, size)));

    const power::LensPower r = power::ResidualPower(check, measured);
    Require(!(r.cylinder > 0.0));
    Require(!r.axis || (*r.axis >= 1 && *r.axis <= 180));
    if (std::isfinite(r.cylinder) && r.cylinder != 0.0) {
        Require(r.axis.has_value());
    }

    const std::string caption = power::ResidualCaption(r);
    Require(ShowsNoNumberWords(caption));
    if (std::isfinite(r.sphere)) {
        Require(power::testing::IsWellFormedCaption(caption));
    } else {
        Require(power::testing::IsWellFormedCylinderTail(caption));
    }
    return 0;
}
