#pragma once
// The open-file and save-file dialogs through one service each, so tests
// choose the file by script.
#include <QString>
#include <functional>

namespace ui {

struct OpenFileRequest {
    // Pairs of description and pattern, each part followed by "|":
    // "All Files(*.*)|*.*|Access Files(*.mdb)|*.mdb".
    QString filter;
    int preselected = 0;   // the pair shown first, counted from 0
};

// Shows the modal dialog for choosing an existing file; the chosen path, or
// the empty text when the operator cancels.
QString chooseOpenFile(const OpenFileRequest& request);

// Answers the dialog instead of the operator (tests); an empty function brings
// the real dialog back. Returns the chooser it replaces.
using OpenFileChooser = std::function<QString(const OpenFileRequest&)>;
OpenFileChooser setOpenFileChooser(OpenFileChooser chooser);

struct SaveFileRequest {
    QString filter;      // as the open-file request's
    QString suggested;   // the path shown first: its folder and file name
};

// Shows the modal dialog for naming a file to write; the chosen path, or the
// empty text when the operator cancels.
QString chooseSaveFile(const SaveFileRequest& request);

using SaveFileChooser = std::function<QString(const SaveFileRequest&)>;
SaveFileChooser setSaveFileChooser(SaveFileChooser chooser);

} // namespace ui
