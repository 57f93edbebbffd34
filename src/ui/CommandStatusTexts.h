#pragma once

#include <QString>

// What the status bar's message pane says while the pointer rests on a menu command or on
// the search-bar button that stands for it; empty for a command that has none.
QString CommandStatusText(int commandId);
