#include "sources/SourceNames.h"

#include <array>

QString SourceTypeName(int type)
{
    static const std::array<const char*, 7> kNames = {
        "Book",       "Journal Article", "Periodical", "Online", "Dissertation/Thesis",
        "Multimedia", "Lecture/Speech",
    };
    if (type < 1 || type > 7)
        return {};
    return QString::fromLatin1(kNames[type - 1]);
}

QString CitationStyleName(int style)
{
    static const std::array<const char*, CitationStyle::Count> kNames = {
        "Generic by Title",
        "Generic by Author",
        "ACM Style",
        "ACS Style",
        "APSA Style",
        "AMA Style",
        "ASA Style",
        "Harvard Style",
        "MLA Style",
        "APA Style",
        "CSE/CBE Style",
        "Chicago Style (Humanities)",
        "Chicago Style (Author-Date)",
        "Oxford Style",
    };
    if (style < 0 || style >= CitationStyle::Count)
        return {};
    return QString::fromLatin1(kNames[style]);
}
