#pragma once

// The window's fonts are named after Japanese Windows faces. This maps each
// name to a face that is installed here: the named face itself where it
// exists, else an installed face of the same style, else any Japanese face.
// It loads nothing: Qt opens a face only when text is drawn with it.

#include <QFont>
#include <QString>

#include <string_view>

namespace platform {

struct FontDescription final {
    std::string_view family;  // as the window names it, UTF-8
    double points;
    bool bold = false;
    bool italic = false;
};

// "ＭＳ Ｐゴシック" -> "IPAPGothic" on Debian, itself on Windows.
QString InstalledFamily(std::string_view family);

QFont InstalledFont(const FontDescription& description);

// How many pixels the face's ascent exceeds that of the Windows faces the
// window was drawn with (0.88 of the em). Text placed from the top of a
// tight box, as the window's labels are, must move up by this much to keep
// its glyphs inside; 0 for the IPA faces, about 7 px at 24 px for a display
// face with generous line spacing.
int ExcessAscent(const QFont& font);

}  // namespace platform
