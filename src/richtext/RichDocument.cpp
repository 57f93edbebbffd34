#include "richtext/RichDocument.h"

QString RichDocument::PlainText() const
{
    qsizetype size = paragraphs.size();
    for (const RichParagraph& paragraph : paragraphs) {
        for (const RichRun& run : paragraph.runs)
            size += run.text.size();
    }
    QString text;
    text.reserve(size); // one allocation for a text of many runs
    for (qsizetype i = 0; i < paragraphs.size(); ++i) {
        if (i > 0)
            text += QLatin1Char('\n');
        for (const RichRun& run : paragraphs[i].runs)
            text += run.text;
    }
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

void RichDocument::Normalize()
{
    for (RichParagraph& paragraph : paragraphs) {
        QList<RichRun> joined;
        joined.reserve(paragraph.runs.size());
        for (RichRun& run : paragraph.runs) {
            if (run.text.isEmpty())
                continue;
            if (!joined.isEmpty() && joined.last().format == run.format)
                joined.last().text += run.text;
            else
                joined.append(std::move(run));
        }
        paragraph.runs = std::move(joined);
    }
}
