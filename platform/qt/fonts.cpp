#include "platform/qt/fonts.h"

#include "platform/qt/utf8.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QStringList>

#include <array>

namespace platform {

namespace {

struct Substitute final {
    std::string_view designed;
    std::string_view english;  // the same face as an English Windows lists it
    std::string_view debian;   // a face of the same style from Debian's packages
};

constexpr std::array<Substitute, 3> kSubstitutes{{
    {"ＭＳ ゴシック", "MS Gothic", "IPAGothic"},            // fixed-pitch gothic
    {"ＭＳ Ｐゴシック", "MS PGothic", "IPAPGothic"},         // proportional gothic
    {"HGP創英角ﾎﾟｯﾌﾟ体", "HGPSoeiKakupoptai", "RocknRoll One"},  // bold pop-style display face
}};

// Japanese faces that every Windows 10 and 11 has, under their Japanese and
// English names: the last resort before Qt's own fallback.
constexpr std::array<std::string_view, 4> kEveryWindows{"游ゴシック", "Yu Gothic", "メイリオ", "Meiryo"};

}  // namespace

void InsertFontSubstitutes()
{
    for (const Substitute& substitute : kSubstitutes) {
        QStringList faces{FromUtf8(substitute.english), FromUtf8(substitute.debian)};
        for (std::string_view face : kEveryWindows) {
            faces.append(FromUtf8(face));
        }
        QFont::insertSubstitutions(FromUtf8(substitute.designed), faces);
    }
}

QFont InstalledFont(const FontDescription& description)
{
    std::string_view family = description.family;
    // "@HGP創英角ﾎﾟｯﾌﾟ体" is the vertical-writing form of the face; the window
    // writes that caption across, so it takes the face itself.
    if (family.starts_with('@')) {
        family.remove_prefix(1);
    }
    QFont font(FromUtf8(family));
    font.setPointSizeF(description.points);
    font.setBold(description.bold);
    font.setItalic(description.italic);
    return font;
}

int ExcessAscent(const QFont& font)
{
    constexpr double kDesignedAscent = 0.88;  // of the em, as MS and IPA gothic faces
    const double em = QFontInfo(font).pixelSize();
    const double excess = QFontMetricsF(font).ascent() - kDesignedAscent * em;
    return excess > 0.0 ? static_cast<int>(excess) : 0;
}

}  // namespace platform
