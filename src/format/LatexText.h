#pragma once

#include <QString>

// Field values of BibTeX files are LaTeX: accents and letters are commands, braces group
// and protect, a few characters must be escaped. These turn such a value into the plain
// Unicode text a source holds, and back.
namespace LatexText {

// The value as text: accent commands become accented letters, letter commands
// (\ss, \o, \ae, \l...) and escaped characters their characters, text commands
// (\emph{x}, \textbf{x}, \url{x}...) their argument, math dollars and grouping braces
// vanish, "~" is a blank and every run of white space one blank; trimmed.
//   "M\"{u}ller"            -> "Müller"
//   "{\'E}cole {NORMALE}"   -> "École NORMALE"
//   "50\,\% of \emph{DNA}"  -> "50 % of DNA"
//   "Ca{\~n}{\'o}n"         -> "Cañón"
QString ToUnicode(const QString& latex);

// Plain text written so that ToUnicode gives it back: the ten special characters are
// escaped, every other character (accented letters included) is written as it is, in
// UTF-8 as BibLaTeX and today's BibTeX read it.
QString FromUnicode(const QString& text);

// A title for a BibTeX file: as FromUnicode, with each word holding a capital after its
// first letter ("DNA", "McDonald") in braces, so that styles that lower-case titles keep
// it.
QString ProtectedTitle(const QString& text);

} // namespace LatexText
