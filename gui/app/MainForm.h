#pragma once

#include <QMainWindow>

namespace vorn {

// The main window. It grows its side bar, tabs and status bar with the document work.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);
};

} // namespace vorn
