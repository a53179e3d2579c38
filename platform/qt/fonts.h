#pragma once

// The window's fonts are named after Japanese Windows faces. This teaches
// Qt's font matching what to draw with where a named face is missing: the
// same face under its English name (an English Windows lists it so), then
// a face of the same style from Debian, then one every Windows 10 and 11
// has. Qt knows each installed family by all of its names, so the choice is
// the same whatever language the desktop lists families in. It loads
// nothing: Qt opens a face only when text is drawn with it.

#include "platform/font_description.h"

#include <QFont>

namespace platform {

// Teaches Qt's font matching the stand-ins for every face the window names.
// Qt keeps them for the whole application: StartApplication calls this once.
void InsertFontSubstitutes();

// A font asking for the named face; the stand-ins stand behind it once
// InsertFontSubstitutes has run.
// "ＭＳ Ｐゴシック" draws with itself on Japanese Windows, "MS PGothic" on an
// English one, IPAPGothic (「IPA Pゴシック」 in a Japanese locale) on Debian.
QFont InstalledFont(const FontDescription& description);

// How many pixels the face's ascent exceeds that of the Windows faces the
// window was drawn with (0.88 of the em). Text placed from the top of a
// tight box, as the window's labels are, must move up by this much to keep
// its glyphs inside; 0 for the IPA faces, about 7 px at 24 px for a display
// face with generous line spacing.
int ExcessAscent(const QFont& font);

}  // namespace platform
