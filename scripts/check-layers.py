#!/usr/bin/env python3
"""Fails when the folders under src/ stop being layers.

Every folder under src/ is a static library, stacked bottom up:

    platform, format          the ground (platform: small interfaces, includes no other folder)
    richtext, categories, sources
    store
    index                     the kept search index of the notes' texts
    lists, exchange
    sync                      the top of the headless core
    app                       the application object and start-up
    widgets                   what every window needs: file dialogs, colours, the category
                              picker, the rich-text mapper (the folder editor/widgets)
    editor                    the note editor
    ui                        the main window, its dialogs, the agent
    cli                       the command line

A file may include headers of its own folder, of a lower layer, or of a folder beside it in
the same layer as long as no cycle forms; never of a higher layer. The headless folders (the
core, app and cli) include no header of a GUI module (widgets, painting, images, printing)
and nothing of widgets, editor or ui: the command line runs where no display is. The link
dependencies in src/CMakeLists.txt obey the same order; a target that only gathers others
(quorvel_core, quorvel_gui) stands for the libraries it gathers.

usage: check-layers.py SRC_DIR [GUI_INCLUDE_DIR...]
The optional directories are the include folders of Qt's GUI modules; any <QName> found in
one of them counts as a GUI header besides the names listed here.
"""

import os
import re
import sys

LAYERS = {
    "platform": 0,
    "format": 0,
    "richtext": 1,
    "categories": 1,
    "sources": 1,
    "store": 2,
    "index": 3,
    "lists": 4,
    "exchange": 4,
    "sync": 5,
    "app": 6,
    "widgets": 7,
    "editor": 8,
    "ui": 9,
    "cli": 10,
}
# Layers whose folder is not named after them: the windows' common parts live inside the
# editor's folder, since everything that opens a window lives under editor/ or ui/.
FOLDERS = {layer: layer for layer in LAYERS}
FOLDERS["widgets"] = "editor/widgets"

# Folders that may include nothing from another folder.
GROUND = {"platform"}
# Folders that run without a display.
HEADLESS = {"platform", "format", "richtext", "categories", "sources", "store", "index", "lists", "exchange", "sync",
            "app", "cli"}
WINDOWS = set(LAYERS) - HEADLESS

GUI_MODULES = (
    "QtGui",
    "QtWidgets",
    "QtPrintSupport",
    "QtSvg",
    "QtSvgWidgets",
    "QtOpenGL",
    "QtOpenGLWidgets",
    "QtQuick",
    "QtQml",
)
GUI_CLASSES = {
    "QAction", "QApplication", "QBitmap", "QBrush", "QClipboard", "QColor", "QCursor",
    "QDesktopServices", "QDialog", "QFont", "QFontMetrics", "QGuiApplication", "QIcon",
    "QImage", "QImageReader", "QImageWriter", "QKeySequence", "QMainWindow", "QMessageBox",
    "QPainter", "QPainterPath", "QPalette", "QPen", "QPixmap", "QPrinter", "QScreen",
    "QSvgRenderer", "QTextCursor", "QTextDocument", "QWidget", "QWindow",
}

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.MULTILINE)


def gui_names(include_dirs):
    names = set(GUI_CLASSES)
    for folder in include_dirs:
        if os.path.isdir(folder):
            names.update(n for n in os.listdir(folder) if n.startswith("Q") and "." not in n)
    return names


def is_gui_header(name, gui):
    module = name.split("/", 1)[0]
    if module in GUI_MODULES:
        return True
    return "/" not in name and name in gui


def layer_of(name):
    """The layer an include path or a file path relative to src/ belongs to, or None."""
    for layer, folder in FOLDERS.items():
        if folder != layer and name.startswith(folder + "/"):
            return layer
    return name.split("/", 1)[0] if "/" in name else None


def scan_includes(src, gui, problems):
    """Returns {folder: {included folder: first file that includes it}}."""
    edges = {folder: {} for folder in LAYERS}
    for folder in LAYERS:
        root = os.path.join(src, FOLDERS[folder])
        for dirpath, dirnames, files in os.walk(root):
            # A layer nested in this folder is scanned as itself.
            dirnames[:] = sorted(d for d in dirnames
                                 if layer_of(os.path.relpath(os.path.join(dirpath, d, "x"), src)) == folder)
            for file in sorted(files):
                if not file.endswith((".h", ".cpp")):
                    continue
                path = os.path.join(dirpath, file)
                shown = os.path.relpath(path, src)
                with open(path, encoding="utf-8", errors="replace") as handle:
                    text = handle.read()
                for bracket, name in INCLUDE.findall(text):
                    if bracket == "<" and folder in HEADLESS and is_gui_header(name, gui):
                        problems.append(f"{shown}: includes the GUI header <{name}>")
                        continue
                    target = layer_of(name)
                    if target in LAYERS and target != folder:
                        edges[folder].setdefault(target, shown)
    return edges


def check_order(edges, kind, problems):
    for folder, targets in edges.items():
        for target, where in sorted(targets.items()):
            if folder in GROUND:
                problems.append(f"{where}: {folder} is the ground and may not depend on {target} ({kind})")
            elif folder in HEADLESS and target in WINDOWS:
                problems.append(f"{where}: {folder} runs without a display and may not depend on {target} ({kind})")
            elif LAYERS[target] > LAYERS[folder]:
                problems.append(f"{where}: {folder} depends on the higher layer {target} ({kind})")


def find_cycle(edges):
    """A list of folders forming a cycle, or None."""
    state = {}

    def visit(node, path):
        state[node] = "open"
        path.append(node)
        for nxt in sorted(edges.get(node, {})):
            if state.get(nxt) == "open":
                return path[path.index(nxt):] + [nxt]
            if nxt not in state:
                found = visit(nxt, path)
                if found:
                    return found
        state[node] = "done"
        path.pop()
        return None

    for node in sorted(edges):
        if node not in state:
            found = visit(node, [])
            if found:
                return found
    return None


def link_edges(cmake_file):
    """{folder: {linked folder: cmake file}} from target_link_libraries(quorvel_X ...).

    A target that is no folder's library but links some (quorvel_core) counts as the
    folders it gathers, wherever it is linked."""
    edges = {folder: {} for folder in LAYERS}
    if not os.path.isfile(cmake_file):
        return edges
    with open(cmake_file, encoding="utf-8") as handle:
        text = handle.read()
    links = {}
    for target, body in re.findall(r"target_link_libraries\(\s*quorvel_(\w+)([^)]*)\)", text):
        links.setdefault(target, []).extend(re.findall(r"\bquorvel_(\w+)", body))

    def folders_of(name, seen=()):
        if name in LAYERS:
            return {name}
        if name in seen:
            return set()
        found = set()
        for linked in links.get(name, []):
            found |= folders_of(linked, seen + (name,))
        return found

    for target, linked_names in links.items():
        if target not in LAYERS:
            continue
        for linked in linked_names:
            for folder in folders_of(linked):
                if folder != target:
                    edges[target].setdefault(folder, os.path.basename(cmake_file))
    return edges


def main(argv):
    if len(argv) < 2:
        print(__doc__)
        return 2
    src = argv[1]
    gui = gui_names(argv[2:])
    problems = []

    includes = scan_includes(src, gui, problems)
    check_order(includes, "include", problems)
    cycle = find_cycle(includes)
    if cycle:
        problems.append("include cycle between folders: " + " -> ".join(cycle))

    links = link_edges(os.path.join(src, "CMakeLists.txt"))
    check_order(links, "link", problems)
    cycle = find_cycle(links)
    if cycle:
        problems.append("link cycle between libraries: " + " -> ".join(cycle))

    for problem in problems:
        print(problem)
    if problems:
        print(f"{len(problems)} layering problem(s)")
        return 1
    print("layers: no cycle, no upward include or link, no GUI header or window folder in the headless ones")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
