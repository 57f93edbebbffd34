#include "richtext/RichParagraph.h"

QString RichParagraph::Text() const
{
    QString text;
    for (const RichRun& run : runs)
        text += run.text;
    return text;
}
