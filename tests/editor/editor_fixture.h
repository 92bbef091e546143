#pragma once

// A whole editor sheet on a simulated unit in virtual time, shown off screen.
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "general/general_page.h"
#include "modal_script.h"
#include "scratch_dir.h"
#include "platform/virtual_clock.h"
#include "app/settings_editor_sheet.h"
#include "simulator/simulated_serial_port.h"
#include "simulator/simulated_unit.h"

namespace velmar::test {

class EditorFixture : public ::testing::Test {
protected:
    explicit EditorFixture(sim::UnitConfig config = {}) : unit(std::move(config)), port(clock)
    {
        port.addPort("COM1", &unit);
    }
    void SetUp() override
    {
        sheet = std::make_unique<editor::CSettingsEditorSheet>(store, port, clock);
        sheet->setActivePage(0);
        sheet->show();
    }

    editor::CGeneral& general() { return sheet->general(); }
    SettingsRecordSet& set(int index) { return sheet->recordSet(index); }
    std::string title() const { return sheet->windowTitle().toStdString(); }
    std::string file(const std::string& name) const { return scratch.file(name); }
    static QString q(const std::string& s) { return QString::fromStdString(s); }

    void click(int id) { general().controlAs<QPushButton>(id)->click(); }
    void typePath(const std::string& path)
    {
        auto* edit = general().controlAs<QLineEdit>(editor::kIdPath);
        edit->setText(q(path));
    }
    void ctrl(Qt::Key key) { QTest::keyClick(general().control(editor::kIdPath), key, Qt::ControlModifier); }
    std::string label(int id) { return general().controlAs<QLabel>(id)->text().toStdString(); }
    void saveScreenshot(const char* name)
    {
        QDir().mkpath(SCREENSHOT_DIR);
        sheet->grab().save(QString(SCREENSHOT_DIR) + "/" + name);
    }

    platform::VirtualClock clock;
    sim::SimulatedUnit unit;
    sim::SimulatedSerialPort port;
    SettingsStore store;
    ScratchDir scratch;
    std::unique_ptr<editor::CSettingsEditorSheet> sheet;
};

}  // namespace velmar::test
