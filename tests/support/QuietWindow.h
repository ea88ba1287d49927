// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Main windows for tests that drive them from code: each over a settings file in a fresh
// temporary folder, its messages dropped and changed documents discarded, so that no test
// waits on a box.

#include <QLocale>
#include <QMessageBox>
#include <QString>
#include <QTemporaryDir>

#include <memory>

#include "app/MainForm.h"

namespace vorn::testing {

class QuietWindows {
public:
    // Before each test: numbers as in English and a new, empty folder. False when the folder
    // could not be made.
    bool Reset() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        dir_ = std::make_unique<QTemporaryDir>();
        return dir_->isValid();
    }

    // A file name in the test's folder.
    QString Path(const QString& name) const { return dir_->filePath(name); }

    std::unique_ptr<TMainForm> Start() const {
        auto w = std::make_unique<TMainForm>(Path(QStringLiteral("vorn.vrn")));
        w->MessageHook = [](QMessageBox::Icon, const QString&, const QString&) {};
        w->Documents().AskSaveChanges = [](const QString&) { return QMessageBox::Discard; };
        return w;
    }

private:
    std::unique_ptr<QTemporaryDir> dir_;
};

} // namespace vorn::testing
