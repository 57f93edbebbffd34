#include "cli/RetreeCommand.h"

#include "app/CNotesApp.h"
#include "categories/CategoryTreeEditor.h"
#include "cli/CliJson.h"
#include "cli/RetreePrompt.h"
#include "lists/OrganiseCommands.h"
#include "store/NoteDatabase.h"

namespace {

// "kind:rest" split at the first separator of rest; false when it is missing.
bool SplitAt(const QString& rest, QChar separator, QString* left, QString* right)
{
    const qsizetype at = rest.indexOf(separator);
    if (at < 0)
        return false;
    *left = rest.left(at);
    *right = rest.mid(at + 1);
    return true;
}

} // namespace

void RetreeCommand::DeclareOptions(CliArguments& arguments)
{
    arguments.DeclareValue(QStringLiteral("answer"));
}

bool RetreeCommand::AcceptArguments(const CliArguments& arguments, QString* error)
{
    for (const QString& answer : arguments.Values(QStringLiteral("answer"))) {
        if (answer != QLatin1String("yes") && answer != QLatin1String("no")) {
            *error = QStringLiteral("--answer takes yes or no, not %1").arg(answer);
            return false;
        }
        m_answers.append(answer == QLatin1String("yes"));
    }
    for (const QString& word : arguments.Positional()) {
        Edit edit;
        if (!ParseEdit(word, &edit)) {
            *error = QStringLiteral("unknown edit: %1").arg(word);
            return false;
        }
        m_edits.append(edit);
    }
    return true;
}

bool RetreeCommand::ParseEdit(const QString& word, Edit* edit)
{
    const qsizetype colon = word.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return false;
    edit->kind = word.left(colon);
    const QString rest = word.mid(colon + 1);
    if (edit->kind == QLatin1String("new")) {
        edit->text = rest;
        return true;
    }
    if (edit->kind == QLatin1String("delete")) {
        edit->path = rest;
        return !rest.isEmpty();
    }
    if (edit->kind == QLatin1String("sub") || edit->kind == QLatin1String("rename"))
        return SplitAt(rest, QLatin1Char('='), &edit->path, &edit->text) && !edit->path.isEmpty();
    if (edit->kind == QLatin1String("move")) {
        // The pseudo category's own name ends in the separator.
        const QString unassigned = UnassignedCategoryName() + QLatin1Char('>');
        if (rest.startsWith(unassigned)) {
            edit->path = UnassignedCategoryName();
            edit->text = rest.mid(unassigned.size());
            return true;
        }
        return SplitAt(rest, QLatin1Char('>'), &edit->path, &edit->text) && !edit->path.isEmpty();
    }
    return false;
}

qint32 RetreeCommand::ResolvePath(const CategoryTree& trees, const QString& path)
{
    if (path == UnassignedCategoryName())
        return trees.FindNode(UNASSIGNED_CATEGORY_ID) ? UNASSIGNED_CATEGORY_ID : 0;
    const QStringList names = path.split(QLatin1Char('/'));
    const CategoryNode* node = nullptr;
    for (int i = 0; i < trees.Count() && !node; ++i) {
        if (trees.Node(i).name == names.first() && !trees.Node(i).IsUnassignedPseudoNode())
            node = &trees.Node(i);
    }
    for (qsizetype level = 1; node && level < names.size(); ++level) {
        const CategoryNode* child = nullptr;
        for (int i = 0; i < node->ChildCount() && !child; ++i) {
            if (node->Child(i).name == names.at(level))
                child = &node->Child(i);
        }
        node = child;
    }
    return node ? node->id : 0;
}

bool RetreeCommand::RunEdit(const Edit& edit, CategoryTreeEditor& editor, RetreePrompt& prompt,
                            QString* error)
{
    prompt.ClearEditName();
    if (edit.kind == QLatin1String("new")) {
        prompt.SetEditName(edit.text);
        editor.CreateLevel1Category();
        return true;
    }
    const qint32 id = ResolvePath(editor.Trees(), edit.path);
    if (id == 0) {
        *error = QStringLiteral("no category at %1").arg(edit.path);
        return false;
    }
    if (edit.kind == QLatin1String("sub")) {
        prompt.SetEditName(edit.text);
        editor.CreateSubcategory(id);
    } else if (edit.kind == QLatin1String("rename")) {
        prompt.SetEditName(edit.text);
        editor.RenameCategory(id);
    } else if (edit.kind == QLatin1String("delete")) {
        editor.DeleteCategory(id);
    } else {
        const qint32 target = edit.text.isEmpty() ? 0 : ResolvePath(editor.Trees(), edit.text);
        if (!edit.text.isEmpty() && target == 0) {
            *error = QStringLiteral("no category at %1").arg(edit.text);
            return false;
        }
        editor.Drop(id, target);
    }
    return true;
}

CliOutcome RetreeCommand::Run(CNotesApp& app)
{
    NoteDatabase& database = app.Database();
    CategoryTree working
        = CategoryTreeEditor::WorkingCopy(database.Categories(), database.UnassignedNoteIds());
    RetreePrompt prompt(m_answers);
    CategoryTreeEditor editor(working, prompt, prompt);
    for (const Edit& edit : m_edits) {
        QString error;
        // Like "Cancel" in the dialog: nothing is written when an edit cannot be run.
        if (!RunEdit(edit, editor, prompt, &error))
            return CliOutcome::Failed(error);
    }
    const NoteWriteResult result = OrganiseCommands::SaveCategoryTrees(
        database, app.CurrentList(), std::move(working), app.GetSettings().NoteSortID);
    if (!result.Ok())
        return CliOutcome::Failed(result.failure.Message());
    return CliOutcome::Ok(QJsonObject {
        {QStringLiteral("messages"), prompt.Messages()},
        {QStringLiteral("questions"), prompt.Questions()},
        {QStringLiteral("refiled"), CliJson::Ids(result.changed)},
    });
}
