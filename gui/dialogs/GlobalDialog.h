// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the seven whole-instrument dialogs share: caption, heading, OK / Cancel / Help, and
// the way to open the Options dialog on a page. Each dialog adds its controls to Body().

#include <QDialog>

#include <functional>

class QDialogButtonBox;
class QVBoxLayout;

namespace vorn {

class TGlobalDialog : public QDialog {
    Q_OBJECT
public:
    // showHelp opens a help topic; showOptions opens the Options dialog on a page.
    struct Hooks {
        std::function<void(int)> ShowHelp;
        std::function<void(int)> ShowOptions;
    };

    TGlobalDialog(const QString& caption, const QString& heading, int help, Hooks hooks,
                  QWidget* parent);
    QDialogButtonBox* Buttons() const { return buttons_; }

protected:
    QVBoxLayout* Body() const { return body_; }
    void openOptions(int page);
    // The topic Help opens; a dialog with pages changes it.
    void setHelp(int topic) { help_ = topic; }

private:
    Hooks hooks_;
    int help_;
    QVBoxLayout* body_;
    QDialogButtonBox* buttons_;
};

} // namespace vorn
