#pragma once

// One loaded Hunspell dictionary, shared by the two files of SpellChecker.
#include "platform/SpellChecker.h"

#include <hunspell/hunspell.hxx>
#include <string>

struct SpellChecker::Engine
{
    std::unique_ptr<Hunspell> hunspell;
    bool latin1 = false;

    std::string Encode(const QString& word) const
    {
        return latin1 ? word.toLatin1().toStdString() : word.toUtf8().toStdString();
    }
    QString Decode(const std::string& word) const
    {
        return latin1 ? QString::fromLatin1(word.data(), qsizetype(word.size()))
                      : QString::fromUtf8(word.data(), qsizetype(word.size()));
    }
};
