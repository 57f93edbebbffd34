#pragma once

#include <QString>

// The outcome of one operation on a file: success, or the file and the system's reason
// ("No space left on device"). Errors are values: every operation that writes returns
// one, and the first failure is handed up unchanged to whoever shows it.
//
//   FileStatus status = fileSystem.WriteWholeFile(path, bytes);
//   if (!status.IsOk())
//       prompt.Tell(status.Message(), FileStatus::Caption(), UserPrompt::Icon::Warning);
// A result that must be looked at: dropping one unread is a compile warning. A caller
// that has nothing to do about a failure says so with static_cast<void> and a comment.
class [[nodiscard]] FileStatus
{
public:
    enum class Action
    {
        None,
        Write,
        Rename,
        Remove,
        Copy,
        CreateFolder,
    };

    // Success.
    FileStatus() = default;
    static FileStatus Ok() { return {}; }
    // A failure of action on path (and target, for a rename or copy) with the reason as
    // the system words it.
    static FileStatus Failed(Action action, QString path, QString reason, QString target = QString());
    // The reason taken from an errno value (strerror's text).
    static FileStatus FromErrno(Action action, QString path, int errorNumber, QString target = QString());

    bool IsOk() const { return m_action == Action::None; }
    // True for success, so that "if (!WriteNoteFile(...))" reads as it means.
    explicit operator bool() const { return IsOk(); }
    Action GetAction() const { return m_action; }
    const QString& Path() const { return m_path; }
    const QString& Target() const { return m_target; }
    const QString& Reason() const { return m_reason; }

    // One sentence that names the file and the reason:
    //   Could not write "/home/a/Data Files/Sources.dat": No space left on device
    // Empty for success.
    QString Message() const;
    // The caption of the message box that shows a failure.
    static QString Caption() { return QStringLiteral("File Not Saved"); }

    // Keeps the first failure: "status.Keep(next)" records next only while status is ok.
    void Keep(const FileStatus& next)
    {
        if (IsOk())
            *this = next;
    }

private:
    Action m_action = Action::None;
    QString m_path;
    QString m_target;
    QString m_reason;
};
