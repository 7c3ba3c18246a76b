#pragma once
// The open-file dialog through one service, so tests choose the file by script.
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

} // namespace ui
