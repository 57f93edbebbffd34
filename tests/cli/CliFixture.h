#pragma once

#include "cli/CliRunner.h"
#include "format/DataFolder.h"
#include "format/NoteFile.h"

#include <QBuffer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// A data root in a temporary folder and quorvel-cli run in-process against it.
class CliFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_folder = DataFolder(m_dir.path(), m_dir.filePath(QStringLiteral("bin")));
        ASSERT_TRUE(m_folder.CreateFolders());
    }

    struct Result
    {
        int exitCode = -1;
        QByteArray output;
        QJsonObject json;
    };

    // Runs "quorvel-cli --data-root <root> words..."; the clock stands at 2026-01-02 03:04:05.
    Result Run(const QStringList& words, bool withDataRoot = true, const QString& environmentRoot = {})
    {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        CliRunner runner(&out, environmentRoot);
        runner.SetProgramFolder(m_folder.ProgramFolder());
        runner.SetFileSystem(m_files);
        runner.SetClock([] { return QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)); });
        QStringList arguments;
        if (withDataRoot)
            arguments << QStringLiteral("--data-root") << m_dir.path();
        Result result;
        result.exitCode = runner.Run(arguments + words);
        result.output = out.data();
        result.json = QJsonDocument::fromJson(result.output).object();
        return result;
    }

    static QJsonObject Json(const char* text)
    {
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(QByteArray(text), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << qPrintable(error.errorString()) << " in " << text;
        return document.object();
    }

    static NoteRecord Note(qint32 id, qint32 sourceId, int day, const char* text)
    {
        NoteRecord note;
        note.NoteID = id;
        note.SourceID = sourceId;
        note.DateAdded = DateTime::FromParts(2008, 8, day, 21, 23, 56);
        note.LastEdited = DateTime::FromParts(2009, 1, 2, 3, 4, 5);
        note.NoteGUID = QStringLiteral("{0000000%1-0000-0000-0000-000000000000}").arg(id);
        note.PlainText = QString::fromUtf8(text);
        note.RichText = QStringLiteral("{\\rtf1 ") + note.PlainText + QStringLiteral("}");
        return note;
    }

    void Write(const NotesList& notes)
    {
        ASSERT_TRUE(WriteNoteFile(FileSystem::Real(), m_folder.FullPath(NoteFileName(notes.first())), notes));
    }

    QTemporaryDir m_dir;
    DataFolder m_folder;
    // What the command's changes go through; none: the real file system.
    FileSystem* m_files = nullptr;
};
