#pragma once

#include "richtext/RichParagraphFormat.h"
#include "richtext/RichRun.h"

#include <QList>
#include <QString>

// One paragraph: its format and its runs. An empty paragraph has no runs. Adjacent runs
// have different formats and no run is empty.
struct RichParagraph
{
    RichParagraphFormat format;
    QList<RichRun> runs;

    // The paragraph's characters as stored (line breaks as U+2028).
    QString Text() const;
    bool operator==(const RichParagraph&) const = default;
};
