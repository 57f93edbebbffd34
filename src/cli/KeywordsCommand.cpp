#include "cli/KeywordsCommand.h"

#include "app/CNotesApp.h"
#include "categories/KeyWordList.h"
#include "cli/CliJson.h"
#include "store/NoteDatabase.h"

void KeywordsCommand::DeclareOptions(CliArguments& arguments)
{
    arguments.DeclareValue(QStringLiteral("attach"));
    arguments.DeclareValue(QStringLiteral("remove"));
}

bool KeywordsCommand::AcceptArguments(const CliArguments& arguments, QString* error)
{
    const bool attach = arguments.Has(QStringLiteral("attach"));
    const bool remove = arguments.Has(QStringLiteral("remove"));
    if (!attach && !remove)
        return CliCommand::AcceptArguments(arguments, error);
    if (attach && remove) {
        *error = QStringLiteral("keywords takes --attach or --remove, not both");
        return false;
    }
    m_mode = attach ? Mode::Attach : Mode::Remove;
    m_word = arguments.Value(attach ? QStringLiteral("attach") : QStringLiteral("remove"));
    return arguments.PositionalIds(&m_ids, error);
}

CliOutcome KeywordsCommand::Run(CNotesApp& app)
{
    NoteDatabase& database = app.Database();
    if (m_mode == Mode::List)
        return CliOutcome::Ok(QJsonObject {{QStringLiteral("keywords"), database.KeyWords().ToJson()}});
    NotesList notes = database.LoadNotesByIds(NoteIdList(m_ids));
    const NoteWriteResult result = m_mode == Mode::Attach ? database.AttachKeyWordToNotes(m_word, notes)
                                                          : database.RemoveKeyWordFromNotes(m_word, notes);
    if (!result.Ok())
        return CliOutcome::Failed(result.failure.Message());
    return CliOutcome::Ok(QJsonObject {{QStringLiteral("changed"), CliJson::Ids(result.changed)}});
}
