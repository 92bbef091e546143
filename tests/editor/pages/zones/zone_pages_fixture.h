#pragma once

// The editor's sheet with its pages, driven through their controls by id (virtual time, off
// screen), for the Time/Timers, Tuner and Volume/Path Names pages.
#include <QDialog>
#include <QSlider>
#include <QTest>

#include "control_driver.h"
#include "editor_fixture.h"
#include "pages/zones/tuner_page.h"

namespace velmar::test {

class ZonePages : public EditorFixture {
protected:
    // Shows the page at its place on the sheet (1 to 11).
    template <class Page>
    Page& show(int place)
    {
        EXPECT_TRUE(sheet->setActivePage(sheet->indexOfPlace(place)));
        return dynamic_cast<Page&>(*sheet->activePage());
    }
    SettingsRecordSet& working() { return set(editor::kWorkingSet); }

    static QSlider* slider(ui::ControlHost& host, int id) { return host.controlAs<QSlider>(id); }
    static bool shown(ui::ControlHost& host, int id) { return !host.control(id)->isHidden(); }
    static bool enabled(ui::ControlHost& host, int id) { return host.control(id)->isEnabled(); }
    // Types into an edit and leaves it.
    static void enter(ui::ControlHost& host, int id, const QString& text)
    {
        typeText(host, id, text);
        leaveEdit(host, id);
    }
    // A drag of a trackbar's thumb to a position, then the release that ends it.
    static void drag(ui::ControlHost& host, int id, int position)
    {
        QSlider* s = slider(host, id);
        s->setSliderDown(true);
        s->setSliderPosition(position);
        s->setSliderDown(false);
        QTest::mouseRelease(s, Qt::LeftButton);
    }
    // The station chooser inside the modal window the Station button opened.
    static editor::CTuner& chooserIn(QDialog& window) { return *window.findChild<editor::CTuner*>(); }
};

}  // namespace velmar::test
