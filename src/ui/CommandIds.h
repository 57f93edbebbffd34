#pragma once

// The ids of the main-menu commands. The search bar's buttons carry the same ids as the
// menu items they stand for, so a button and its menu item run one handler.
namespace CommandIds {

constexpr int SavePrintNotes = 32782;
constexpr int CreateBibliography = 32826;
constexpr int ExportNotes = 32787;
constexpr int BackupNotes = 32828;
constexpr int ImportNotes = 32830;
constexpr int Exit = 57665;
constexpr int EditOptions = 32776;
constexpr int AddNote = 32774;
constexpr int DeleteNote = 32780;
constexpr int ClearNotes = 32823;
constexpr int DeleteCurrentNotes = 32839;
constexpr int ViewSources = 32778;
constexpr int EditCategoryTrees = 32789;
constexpr int About = 57664;
constexpr int CheckForUpdates = 32840;
constexpr int UsersManual = 32855;
constexpr int TutorialVideos = 32857;
constexpr int GoSearch = 32833;
constexpr int SearchDropdown = 32835;
constexpr int AccessInternet = 32838;
constexpr int ToggleControlBar = 12838;
// Imports the sample notes that come with the program.
constexpr int OpenSampleNotes = 32901;
// Sources from a bibliography file, and the current notes as Markdown files.
constexpr int ImportSources = 32902;
constexpr int ExportNotesMarkdown = 32903;
// Syncs with the other machines through the sync folder.
constexpr int SyncNow = 32904;

// Search scopes: the whole notes database, or only the current notes.
constexpr int SearchModeDatabase = 11;
constexpr int SearchModeCurrent = 24;

} // namespace CommandIds
