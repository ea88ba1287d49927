// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The help window: the program's own topic pages, one per help context number, shown in a
// tool window beside the main window. Asked for while a modal dialog runs, it becomes that
// dialog's tool window for as long as the dialog is shown, so that it can be read, scrolled
// and followed beside the dialog instead of being blocked by it.

#include <QList>
#include <QPointer>
#include <QUrl>
#include <QWidget>

#include "widgets/HelpContext.h"

class QTextBrowser;
class QToolButton;

namespace vorn {

class THelpViewer : public QWidget {
    Q_OBJECT
public:
    // A tool window of `owner`, placed beside it when shown.
    explicit THelpViewer(QWidget* owner = nullptr);

    // The topic file of a context number ("main-window.html"); empty for an unknown number.
    static QString TopicFile(int context);
    // Every context number that has a topic.
    static QList<int> ContextNumbers();
    // Where the topic pages are found, as a URL prefix ("qrc:/app/help/").
    static QUrl HelpBase();

    // Shows the topic of context n and returns at once; an unknown number shows the contents.
    void ShowHelpContext(int context);
    // The context of the topic last asked for, 0 before the first.
    int CurrentContext() const { return context_; }
    QUrl CurrentSource() const;
    QTextBrowser* Browser() const { return browser_; }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void placeBesideOwner();
    // Makes the window a tool window of host (the running modal dialog, or the owner),
    // where it stays if it was shown.
    void moveTo(QWidget* host);

    QPointer<QWidget> owner_;
    QPointer<QWidget> dialog_; // the modal dialog it serves, watched for its hiding

    QTextBrowser* browser_ = nullptr;
    QToolButton* back_ = nullptr;
    QToolButton* forward_ = nullptr;
    int context_ = 0;
    bool placed_ = false;
};

} // namespace vorn
