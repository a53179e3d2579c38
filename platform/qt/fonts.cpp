#include "platform/qt/fonts.h"

#include "platform/qt/utf8.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QStringList>

#include <array>

namespace platform {

namespace {

struct Substitute final {
    std::string_view designed;
    std::string_view installed;  // from Debian's fonts-ipafont-gothic and fonts-rocknroll
};

constexpr std::array<Substitute, 4> kSubstitutes{{
    {"ＭＳ ゴシック", "IPAGothic"},      // fixed-pitch gothic
    {"ＭＳ Ｐゴシック", "IPAPGothic"},   // proportional gothic
    {"HGP創英角ﾎﾟｯﾌﾟ体", "RocknRoll One"},  // bold pop-style display face
    // The vertical-writing form of the same face; the window writes it across.
    {"@HGP創英角ﾎﾟｯﾌﾟ体", "RocknRoll One"},
}};

}  // namespace

QString InstalledFamily(std::string_view family)
{
    // Looked up in the plain list of families: QFontDatabase::hasFamily()
    // asks fontconfig to resolve aliases first, which costs milliseconds for
    // every name that is not installed, and most of the designed ones are not.
    const QStringList installed = QFontDatabase::families();
    QString designed = FromUtf8(family);
    if (installed.contains(designed, Qt::CaseInsensitive)) {
        return designed;
    }
    for (const Substitute& substitute : kSubstitutes) {
        if (substitute.designed == family) {
            QString face = FromUtf8(substitute.installed);
            if (installed.contains(face, Qt::CaseInsensitive)) {
                return face;
            }
        }
    }
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    return japanese.isEmpty() ? designed : japanese.front();
}

QFont InstalledFont(const FontDescription& description)
{
    QFont font(InstalledFamily(description.family));
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
