#pragma once

// The editor sheet with its speaker pages, driven through their controls by id.
#include <QComboBox>
#include <QSlider>

#include "control_driver.h"
#include "editor_fixture.h"
#include "pages/speakers/listener_position_page.h"
#include "pages/speakers/speaker_config_page.h"
#include "pages/speakers/speaker_calibration_page.h"

namespace velmar::test {

class SpeakerPagesTest : public EditorFixture {
protected:
    enum Place { kSpeakerConfigPlace = 2, kListenerPlace = 3, kCalibrationPlace = 4 };

    // Makes the page at a place of the sheet the shown one.
    template <class Page>
    Page& show(int place)
    {
        const int index = sheet->indexOfPlace(place);
        EXPECT_TRUE(sheet->setActivePage(index));
        return dynamic_cast<Page&>(*sheet->page(index));
    }
    editor::CSpeakerConfigPage& speakerPage() { return show<editor::CSpeakerConfigPage>(kSpeakerConfigPlace); }
    editor::CListenerPosition& listenerPage() { return show<editor::CListenerPosition>(kListenerPlace); }
    editor::CSpeakerLevelCalibration& calibrationPage()
    {
        return show<editor::CSpeakerLevelCalibration>(kCalibrationPlace);
    }

    SpeakerConfigRecord& speakers() { return set(editor::kWorkingSet).speakerConfig; }
    ListenerRecord& listener() { return set(editor::kWorkingSet).listener; }
    CalibrationRecord& calibration() { return set(editor::kWorkingSet).calibration; }

    static bool shown(ui::ControlHost& host, int id) { return !host.control(id)->isHidden(); }
    static bool enabled(ui::ControlHost& host, int id) { return host.control(id)->isEnabled(); }
    static QSlider& slider(ui::ControlHost& host, int id) { return *host.controlAs<QSlider>(id); }
    static int itemCount(ui::ControlHost& host, int id) { return host.controlAs<QComboBox>(id)->count(); }
    // A drag of the thumb to a position, then its release.
    static void dragTo(ui::ControlHost& host, int id, int position)
    {
        QSlider& s = slider(host, id);
        s.setSliderPosition(position);
        QTest::mouseRelease(&s, Qt::LeftButton);
    }
    // Types a value into an edit and leaves it.
    static void enter(ui::ControlHost& host, int id, const QString& text)
    {
        typeText(host, id, text);
        leaveEdit(host, id);
    }
};

}  // namespace velmar::test
