#!/usr/bin/env python3
"""The layering check fails on each kind of planted violation and passes on the real tree.

usage: CheckLayersTest.py CHECK_SCRIPT SRC_DIR
"""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest

CHECK = None
SOURCE = None

# A tree that keeps every rule: each folder includes only what lies below it.
CLEAN_TREE = {
    "format/Record.h": "#include <QString>\n",
    "platform/UserPrompt.h": "#include <QString>\n",
    "richtext/RtfReader.h": '#include "format/Record.h"\n',
    "categories/CategoryTree.h": '#include "format/Record.h"\n',
    "sources/SourceList.h": '#include "format/Record.h"\n#include "platform/UserPrompt.h"\n',
    "store/NoteDatabase.h": '#include "categories/CategoryTree.h"\n#include "sources/SourceList.h"\n',
    "lists/CurrentNotesList.h": '#include "store/NoteDatabase.h"\n',
    "exchange/ImportNotes.h": '#include "lists/CurrentNotesList.h"\n',
    "app/CNotesApp.h": '#include "exchange/ImportNotes.h"\n',
    "editor/widgets/FileDialogs.h": '#include <QWidget>\n#include "store/NoteDatabase.h"\n',
    "editor/CEditNoteDlg.h": '#include <QDialog>\n#include "editor/widgets/FileDialogs.h"\n',
    "ui/CMainFrame.h": '#include <QMainWindow>\n#include "editor/CEditNoteDlg.h"\n#include "app/CNotesApp.h"\n',
    "ui/agent/CAgentTray.h": '#include "ui/CMainFrame.h"\n',
    "cli/CliRunner.h": '#include "app/CNotesApp.h"\n',
    "CMakeLists.txt": """
target_link_libraries(quorvel_store PUBLIC quorvel_format quorvel_categories quorvel_sources)
add_library(quorvel_core INTERFACE)
target_link_libraries(quorvel_core INTERFACE quorvel_format quorvel_store quorvel_lists quorvel_exchange)
target_link_libraries(quorvel_app PUBLIC quorvel_core)
target_link_libraries(quorvel_cli PUBLIC quorvel_app)
target_link_libraries(quorvel_widgets PUBLIC quorvel_core Qt6::Widgets)
target_link_libraries(quorvel_editor PUBLIC quorvel_widgets)
target_link_libraries(quorvel_ui PUBLIC quorvel_editor quorvel_app)
""",
}


def write_tree(root, files):
    for name, text in files.items():
        path = os.path.join(root, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", encoding="utf-8") as handle:
            handle.write(text)


def run_check(src):
    result = subprocess.run([sys.executable, CHECK, src], capture_output=True, text=True)
    return result.returncode, result.stdout


class PlantedViolations(unittest.TestCase):
    def check_with(self, planted):
        with tempfile.TemporaryDirectory(prefix="windows-layers-") as root:
            files = dict(CLEAN_TREE)
            for name, text in planted.items():
                files[name] = files.get(name, "") + text
            write_tree(root, files)
            return run_check(root)

    def assertFails(self, planted, *words):
        code, output = self.check_with(planted)
        self.assertEqual(code, 1, output)
        for word in words:
            self.assertIn(word, output)

    def test_the_clean_tree_passes(self):
        code, output = self.check_with({})
        self.assertEqual(code, 0, output)

    def test_the_editor_may_not_include_the_main_window(self):
        self.assertFails({"editor/CAttachmentsDlg.cpp": '#include "ui/CMainFrame.h"\n'},
                         "editor/CAttachmentsDlg.cpp: editor depends on the higher layer ui",
                         "include cycle between folders: editor -> ui -> editor")

    def test_widgets_may_not_include_the_editor(self):
        self.assertFails({"editor/widgets/NamedColours.cpp": '#include "editor/CEditNoteDlg.h"\n'},
                         "widgets depends on the higher layer editor")

    def test_a_window_folder_may_not_include_the_command_line(self):
        self.assertFails({"ui/CMainFrameHelp.cpp": '#include "cli/CliRunner.h"\n'},
                         "ui depends on the higher layer cli")

    def test_headless_folders_include_no_window_folder_and_no_gui_header(self):
        self.assertFails({"cli/PrintCommand.cpp": '#include "editor/widgets/FileDialogs.h"\n'},
                         "cli runs without a display and may not depend on widgets")
        self.assertFails({"app/CNotesApp.cpp": "#include <QWidget>\n"},
                         "app/CNotesApp.cpp: includes the GUI header <QWidget>")
        self.assertFails({"store/Settings.cpp": "#include <QtGui/QFont>\n"}, "includes the GUI header")

    def test_a_cycle_between_folders_of_one_layer_fails(self):
        self.assertFails({"categories/CategoryTree.cpp": '#include "richtext/RtfReader.h"\n',
                          "richtext/RtfReader.cpp": '#include "categories/CategoryTree.h"\n'},
                         "include cycle between folders")

    def test_links_point_down_including_through_gathering_targets(self):
        self.assertFails({"CMakeLists.txt": "target_link_libraries(quorvel_widgets PUBLIC quorvel_editor)\n"},
                         "widgets depends on the higher layer editor (link)")
        self.assertFails({"CMakeLists.txt": "add_library(quorvel_gui INTERFACE)\n"
                                            "target_link_libraries(quorvel_gui INTERFACE quorvel_ui)\n"
                                            "target_link_libraries(quorvel_cli PUBLIC quorvel_gui)\n"},
                         "cli runs without a display and may not depend on ui (link)")


class RealTree(unittest.TestCase):
    def test_the_source_tree_passes_and_one_planted_include_fails_it(self):
        code, output = run_check(SOURCE)
        self.assertEqual(code, 0, output)
        with tempfile.TemporaryDirectory(prefix="windows-layers-") as root:
            copy = os.path.join(root, "src")
            shutil.copytree(SOURCE, copy)
            with open(os.path.join(copy, "editor", "Planted.cpp"), "w", encoding="utf-8") as handle:
                handle.write('#include "ui/CMainFrame.h"\n')
            code, output = run_check(copy)
            self.assertEqual(code, 1, output)
            self.assertIn("editor/Planted.cpp: editor depends on the higher layer ui", output)


if __name__ == "__main__":
    if len(sys.argv) < 3:
        print(__doc__)
        sys.exit(2)
    CHECK, SOURCE = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1], verbosity=2)
