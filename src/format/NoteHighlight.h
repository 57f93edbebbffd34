#pragma once

#include <QString>

// What a search leaves on a note it found: the means to highlight the note's hits. The
// highlighted copy of the text is made only when the note is shown, printed or asked for,
// so a search over many notes never holds a second copy of every text.
class NoteHighlight
{
public:
    virtual ~NoteHighlight() = default;
    // The RTF richText with every hit highlighted.
    virtual QString Apply(const QString& richText) const = 0;
};
