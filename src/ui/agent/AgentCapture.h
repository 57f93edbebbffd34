#pragma once

#include <QStringList>

// How the agent turns selected text into a note: it takes the text, puts it on the
// clipboard and asks the program (tag 100) to make a note from the clipboard, starting
// the program with the request when no copy runs.
namespace AgentCapture {

// What is selected now (the primary selection), else the clipboard's text.
QString SelectedText();
// Puts the text on the clipboard, where the program pastes it from.
void PutOnClipboard(const QString& text);
// Sends the request to the running program under serverName, or starts programPath
// with the request as its last argument after startArguments (e.g. "--data-root DIR").
// False when neither worked.
bool RequestNote(const QString& programPath, const QString& serverName,
                 const QStringList& startArguments = {});
// The program beside the agent: "quorvel" in the agent's folder.
QString ProgramPath(const QString& agentFolder);

} // namespace AgentCapture
