// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What every file dialog of the program shares: the folder it starts in, the folder it leaves
// for the next one, and a save dialog whose chosen type decides both what the file holds and
// its extension.

#include <QString>

#include <functional>
#include <vector>

class QWidget;

namespace vorn {

class TGlobalData;

// One kind of file a save dialog offers.
struct SaveFileType {
    QString Label;     // "DXF drawing for CAD, one piece"
    QString Extension; // "dxf", without the point
};

// Stands in for a save dialog (tests): gets the proposed path and the index of the type
// selected, gives back the path chosen (empty for Cancel) and may change the index, as a user
// choosing another type does. Like the dialog, it has answered for the file it names.
using SaveNameHook = std::function<QString(const QString& proposed, int& type)>;
// Stands in for the question whether to replace a file: true for Yes.
using OverwriteHook = std::function<bool(const QString& path)>;

struct SaveRequest {
    QString Caption;
    QString DocumentFile; // the document's own file, whole; empty when it has none
    QString Name;         // proposed, without folder; the selected type's extension is added
    std::vector<SaveFileType> Types;
    int Type = 0; // selected at first
};

struct SaveChoice {
    QString Path; // whole, ending in the type's extension; empty for Cancel
    int Type = 0;
};

// Where a file dialog starts: the document's folder, the last folder, home (see StartFolder).
QString DialogFolder(const TGlobalData& settings, const QString& documentFile);
// The folder of a file chosen in a dialog is where the next dialog starts.
void RememberFolder(TGlobalData& settings, const QString& chosen);

// Runs the save dialog over parent, or askName instead. The chosen name gets the chosen type's
// extension (see WithExtension). A file the dialog did not name itself is replaced only after a
// question (askOverwrite instead); No brings the dialog back.
SaveChoice AskSaveFile(QWidget* parent, TGlobalData& settings, const SaveRequest& request,
                       const SaveNameHook& askName, const OverwriteHook& askOverwrite);

} // namespace vorn
