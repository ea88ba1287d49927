// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// One document tab: a closable tab page holding the document's frame; the tab's caption is
// the document's display name.

#include <memory>

#include "widgets/TabExtSheet.h"

namespace vorn {

class TFileFrame;
class TGlobalData;
class TVornFrame;

class TStringFileTab : public TTabExtSheet {
    Q_OBJECT
public:
    // A new document from the settings' defaults, on its "File Setup" page.
    explicit TStringFileTab(TGlobalData& settings, QWidget* parent = nullptr);
    // A document read from a file, on its string chart.
    explicit TStringFileTab(std::unique_ptr<TFileFrame> loaded, QWidget* parent = nullptr);

    TVornFrame* Frame() const { return frame_; }
    // A generated name shows its length in the user's decimal separator; a file's name is
    // shown as it is on disk.
    void SetCaption(const QString& caption) override;

    // A document changed since it was made, read or saved shows "*" before its name.
    void SetChanged(bool changed);
    bool ShowsChanged() const { return changed_; }

private:
    void placeFrame(); // places the frame and follows its caption
    void showCaption(const QString& name);
    TVornFrame* frame_;
    QString name_;
    bool changed_ = false;
};

} // namespace vorn
