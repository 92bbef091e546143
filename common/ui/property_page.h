#pragma once

#include <QString>
#include <QWidget>

#include "ui/control_host.h"
#include "ui/data_exchange.h"

namespace velmar::ui {

class PropertySheet;

// One tab of a PropertySheet. The sheet calls onInitDialog the first time the page is shown,
// onSetActive each time it becomes the shown page and onKillActive before it stops being it
// (false keeps it shown); on OK it calls onApply of every modified page, on Cancel and the
// close box onQueryCancel of the shown page (false keeps the sheet open).
class PropertyPage : public QWidget, public ControlHost {
public:
    explicit PropertyPage(QString caption);

    const QString& caption() const { return caption_; }
    PropertySheet* sheet() const { return sheet_; }
    bool initialized() const { return initialized_; }
    bool modified() const { return modified_; }
    void setModified(bool modified) { modified_ = modified; }

    // Builds the page's controls. The sheet calls it the first time the page is shown, just
    // before onInitDialog, so a page that is never opened costs nothing when the sheet starts.
    // Pages may build their controls in their constructor instead.
    virtual void onCreateControls() {}
    virtual void onInitDialog();  // loads the controls
    virtual bool onSetActive();   // reloads them, except right after onInitDialog
    virtual bool onKillActive();  // takes them back; false when a value was refused
    virtual bool onApply();
    virtual bool onQueryCancel();

private:
    friend class PropertySheet;
    QString caption_;
    PropertySheet* sheet_ = nullptr;
    bool initialized_ = false;
    bool firstSetActive_ = true;
    bool modified_ = false;
};

}  // namespace velmar::ui
