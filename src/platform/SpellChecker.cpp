#include "platform/SpellChecker.h"

#include "platform/SpellCheckerEngine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

SpellChecker::SpellChecker(const QString& lexiconFolder, const QStringList& dictionaryFolders)
    : m_folder(lexiconFolder)
    , m_dictionaryFolders(dictionaryFolders)
{
    // Dictionaries the user put into the lexicon folder count too.
    m_dictionaryFolders.prepend(lexiconFolder);
    LoadOptions();
    LoadEngines();
    LoadUserWords();
}

SpellChecker::~SpellChecker() = default;

QStringList SpellChecker::DefaultDictionaryFolders()
{
    QStringList folders;
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!dataHome.isEmpty())
        folders << dataHome + QStringLiteral("/hunspell");
    folders << QStringLiteral("/usr/share/hunspell") << QStringLiteral("/usr/share/myspell/dicts")
            << QStringLiteral("/usr/share/myspell");
    return folders;
}

QStringList SpellChecker::AvailableLanguages() const
{
    QStringList names;
    for (const QString& folder : m_dictionaryFolders) {
        const QStringList dics = QDir(folder).entryList({QStringLiteral("*.dic")}, QDir::Files);
        for (const QString& dic : dics) {
            const QString name = QFileInfo(dic).completeBaseName();
            if (QFile::exists(QDir(folder).filePath(name + QStringLiteral(".aff"))) && !names.contains(name))
                names << name;
        }
    }
    names.sort();
    return names;
}

QString SpellChecker::DictionaryPath(const QString& name, const QString& suffix) const
{
    for (const QString& folder : m_dictionaryFolders) {
        const QString path = QDir(folder).filePath(name + suffix);
        if (QFile::exists(path))
            return path;
    }
    return QString();
}

void SpellChecker::LoadOptions()
{
    const QSettings file(QDir(m_folder).filePath(OptionsFileName()), QSettings::IniFormat);
    SpellOptions defaults;
    const QStringList languages = file.value(QStringLiteral("Languages"), defaults.languages).toStringList();
    if (!languages.isEmpty())
        m_options.languages = languages;
    m_options.ignoreWordsWithDigits = file.value(QStringLiteral("IgnoreDigits"), true).toBool();
    m_options.ignoreCapitals = file.value(QStringLiteral("IgnoreCapitals"), true).toBool();
    m_options.severalDictionaries = file.value(QStringLiteral("SeveralDictionaries"), false).toBool();
}

void SpellChecker::SaveOptions() const
{
    QSettings file(QDir(m_folder).filePath(OptionsFileName()), QSettings::IniFormat);
    file.setValue(QStringLiteral("Languages"), m_options.languages);
    file.setValue(QStringLiteral("IgnoreDigits"), m_options.ignoreWordsWithDigits);
    file.setValue(QStringLiteral("IgnoreCapitals"), m_options.ignoreCapitals);
    file.setValue(QStringLiteral("SeveralDictionaries"), m_options.severalDictionaries);
    // Options that cannot be stored are in force for this run all the same.
    if (m_files.syncSettings)
        m_files.syncSettings(file);
}

void SpellChecker::SetOptions(const SpellOptions& options)
{
    m_options = options;
    if (m_options.languages.isEmpty())
        m_options.languages = SpellOptions().languages;
    SaveOptions();
    LoadEngines();
}

void SpellChecker::LoadEngines()
{
    m_engines.clear();
    const QStringList names
        = m_options.severalDictionaries ? m_options.languages : m_options.languages.mid(0, 1);
    for (const QString& name : names) {
        const QString aff = DictionaryPath(name, QStringLiteral(".aff"));
        const QString dic = DictionaryPath(name, QStringLiteral(".dic"));
        if (aff.isEmpty() || dic.isEmpty())
            continue;
        auto engine = std::make_unique<Engine>();
        engine->hunspell = std::make_unique<Hunspell>(QFile::encodeName(aff).constData(),
                                                      QFile::encodeName(dic).constData());
        const QString encoding = QString::fromStdString(engine->hunspell->get_dict_encoding());
        engine->latin1 = encoding.compare(QStringLiteral("UTF-8"), Qt::CaseInsensitive) != 0;
        for (const QString& word : std::as_const(m_userWords))
            engine->hunspell->add(engine->Encode(word));
        m_engines.push_back(std::move(engine));
    }
}

bool SpellChecker::IsCorrect(const QString& word) const
{
    if (m_engines.empty() || word.isEmpty() || m_userSet.contains(word) || m_ignored.contains(word))
        return true;
    QString plain = word;
    plain.replace(QChar(0x2019), u'\'');
    for (const auto& engine : m_engines) {
        if (engine->hunspell->spell(engine->Encode(plain)))
            return true;
    }
    return false;
}

QStringList SpellChecker::Suggestions(const QString& word, int most) const
{
    QStringList found;
    for (const auto& engine : m_engines) {
        for (const std::string& each : engine->hunspell->suggest(engine->Encode(word))) {
            const QString suggestion = engine->Decode(each);
            if (!found.contains(suggestion))
                found << suggestion;
        }
    }
    return found.mid(0, most);
}
