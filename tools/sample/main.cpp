// Build-time maker of the sample archive: the sample notes file read into a fresh note
// database in a temporary data root, then "Backup All Notes..." into the archive.
//
//   quorvel-sample-maker SampleNotes.txt ATTACHMENT_FOLDER OUT.qvx
#include "SampleNotesMaker.h"
#include "app/CNotesApp.h"
#include "exchange/ExchangeCommands.h"
#include "platform/UserPrompt.h"
#include "store/MemorySettingsBackend.h"
#include "store/NoteDatabase.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 4) {
        std::fprintf(stderr, "usage: quorvel-sample-maker SampleNotes.txt ATTACHMENT_FOLDER OUT.qvx\n");
        return 2;
    }
    QTemporaryDir root;
    MemorySettingsBackend settings;
    SilentPrompt prompt;
    AppEnvironment environment;
    environment.dataRoot = root.path();
    environment.settingsBackend = &settings;
    environment.prompt = &prompt;
    // Fixed dates, one minute apart, so that the archive comes out the same on every build.
    auto minute = std::make_shared<int>(0);
    environment.now
        = [minute] { return QDateTime(QDate(2026, 1, 15), QTime(9, 0)).addSecs(60 * (*minute)++); };
    CNotesApp app(environment);
    app.InitInstance();

    SampleNotesMaker maker(app.Database(), app.Sources(), arguments.at(2));
    QString error;
    if (!maker.AddFile(arguments.at(1), &error)) {
        std::fprintf(stderr, "%s\n", error.toLocal8Bit().constData());
        return 1;
    }
    QFile::remove(arguments.at(3));
    const int result = ExchangeCommands::BackupAllNotes(app.Database(), app.Sources(), arguments.at(3),
                                                        prompt, app.Progress());
    if (const FileStatus saved = app.ExitInstance(); !saved) {
        std::fprintf(stderr, "%s\n", saved.Message().toLocal8Bit().constData());
        return 1;
    }
    if (result <= 0 || !QFile::exists(arguments.at(3))) {
        std::fprintf(stderr, "the sample archive could not be written (%d)\n", result);
        return 1;
    }
    std::printf("%d sample notes in %s\n", maker.NotesAdded(), arguments.at(3).toLocal8Bit().constData());
    return 0;
}
