// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The About box: the program's picture, its version and a link to the program's page, which
// comes with the program and opens in the web browser.

#include <QDialog>
#include <QUrl>

#include <functional>

class QLabel;

namespace vorn {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    // showHelp is called with the box's help context when its help button is pressed.
    explicit TAboutBox(std::function<void(int)> showHelp, QWidget* parent = nullptr);

    static QString VersionText();
    // The program's page: the copy installed beside the program if there is one, else the
    // copy in the resources written to the temporary folder. Empty when neither works.
    static QString ProgramPagePath();

    // Opens the page in the web browser; replaceable so that no browser starts in tests.
    std::function<bool(const QUrl&)> OpenUrl;
    bool OpenProgramPage();

    QLabel* LinkLabel() const { return link_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::function<void(int)> showHelp_;
    QLabel* link_ = nullptr;
};

} // namespace vorn
