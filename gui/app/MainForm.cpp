#include "app/MainForm.h"

namespace vorn {

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Vorn"));
    resize(900, 600);
}

} // namespace vorn
