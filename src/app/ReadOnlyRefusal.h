#pragma once

#include <QString>

class DataFolder;
class UserPrompt;

// How the windows turn down a command that would store something while the data folder is
// read-only (DataFolder::IsReadOnly): before any dialog opens and before anything changes,
// the user is told, and the command does nothing.
namespace ReadOnlyRefusal {

// The caption of that message: "Read-Only Data Folder".
QString Caption();

// True, after telling the user folder.ReadOnlyText() (warning icon, OK), when the folder
// is read-only: the caller then stops. False, and nothing shown, otherwise.
bool Refuse(const DataFolder& folder, UserPrompt& prompt);

} // namespace ReadOnlyRefusal
