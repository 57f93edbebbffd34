#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class Hunspell;
class QSettings;

// A word of a text: where it starts and how many characters it has.
struct SpellWord
{
    int start = 0;
    int length = 0;
    bool operator==(const SpellWord&) const = default;
};

// The choices of the spelling options dialog, kept in "spelling.ini" beside the user
// dictionary.
struct SpellOptions
{
    // Dictionary names such as "en_US"; the first is the language, the others count only
    // when several dictionaries are chosen.
    QStringList languages {QStringLiteral("en_US")};
    bool ignoreWordsWithDigits = true;
    bool ignoreCapitals = true;
    // A word is right when any chosen dictionary accepts it.
    bool severalDictionaries = false;
    bool operator==(const SpellOptions&) const = default;
};

// Checks words against the Hunspell dictionaries installed on the system and the user's
// own dictionary, a file of one word per line in the lexicon folder. No dictionary found
// leaves every word right: checking never stops the user from writing.
class SpellChecker
{
public:
    // lexiconFolder holds the user dictionary and the options; dictionary folders are
    // searched in order for NAME.aff and NAME.dic.
    explicit SpellChecker(const QString& lexiconFolder,
                          const QStringList& dictionaryFolders = DefaultDictionaryFolders());
    ~SpellChecker();
    SpellChecker(const SpellChecker&) = delete;
    SpellChecker& operator=(const SpellChecker&) = delete;

    static QStringList DefaultDictionaryFolders();

    // How the checker changes its two files in the lexicon folder: a whole file written at
    // once (its folder made first), and an INI file's pending values stored. Each is false,
    // with the reason in error, when it fails. An empty one goes straight to the disk; the
    // program hands in its data folder's file system.
    struct FileAccess
    {
        std::function<bool(const QString& path, const QByteArray& bytes, QString* error)> writeWholeFile;
        std::function<bool(QSettings& settings)> syncSettings;
    };
    void SetFileAccess(FileAccess access) { m_files = std::move(access); }
    static QString UserDictionaryName() { return QStringLiteral("user.dic"); }
    static QString OptionsFileName() { return QStringLiteral("spelling.ini"); }

    // The names of the dictionaries found, sorted.
    QStringList AvailableLanguages() const;
    SpellOptions Options() const { return m_options; }
    // Loads the chosen dictionaries and stores the options.
    void SetOptions(const SpellOptions& options);
    // How many dictionaries are loaded now.
    int LoadedDictionaries() const { return int(m_engines.size()); }

    bool IsCorrect(const QString& word) const;
    QStringList Suggestions(const QString& word, int most = 8) const;
    // The words of the text to check; words with digits or in capitals are left out when
    // the options say so, and so is anything that looks like an address.
    QList<SpellWord> Words(const QString& text) const;
    QList<SpellWord> Misspelled(const QString& text) const;

    // The user dictionary; both rewrite its file at once.
    QStringList UserWords() const;
    bool AddToUserDictionary(const QString& word, QString* error = nullptr);
    bool RemoveFromUserDictionary(const QString& word, QString* error = nullptr);
    // Right for the rest of this run, not stored.
    void IgnoreAll(const QString& word) { m_ignored.insert(word); }

private:
    struct Engine;
    QString DictionaryPath(const QString& name, const QString& suffix) const;
    void LoadOptions();
    void SaveOptions() const;
    void LoadEngines();
    void LoadUserWords();
    bool WriteUserWords(QString* error) const;

    QString m_folder;
    FileAccess m_files;
    QStringList m_dictionaryFolders;
    SpellOptions m_options;
    std::vector<std::unique_ptr<Engine>> m_engines;
    QStringList m_userWords;
    QSet<QString> m_userSet;
    QSet<QString> m_ignored;
};
