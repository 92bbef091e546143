#pragma once

// End to end through unit_simulator on a pseudo-terminal, for the settings pages: the unit
// is backed up with velmarctl, the editor finds it ("Auto Detect") and reads its settings, a
// test changes values on its pages through their controls, and then
//   changedFields()  saves the sets ("Save As...") and lists what velmarctl diff finds
//                    between the unit's backup and the saved file, as "Set:field";
//   programmedBack() loads that file into the unit and tells whether a fresh backup equals it.
// Real time; limits are generous and nothing asserts timing.
#include <QPushButton>
#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <set>
#include <string>

#include "general/general_page.h"
#include "modal_script.h"
#include "platform/clock.h"
#include "platform/posix_serial_port.h"
#include "run_tool.h"
#include "app/settings_editor_sheet.h"
#include "simulator_process.h"
#include "app/texts.h"

namespace velmar::test {

class PagesOnAPty : public ::testing::Test {
protected:
    // The simulated model as unit_simulator names it ("QRX 30") and as velmarctl does
    // ("qrx30"); the latter decides the layout of the model-dependent fields in the diff.
    explicit PagesOnAPty(std::string model = "QRX 30", std::string toolModel = "qrx30")
        : sim_({"--model", model}), toolModel_(std::move(toolModel)), port_(platform::PortNames({sim_.link()}))
    {
    }

    void SetUp() override
    {
        ASSERT_TRUE(sim_.started()) << sim_.banner();
        const auto backup = backupTo(unitBackup());
        ASSERT_EQ(backup.status, 0) << backup.out;
        sheet_ = std::make_unique<editor::CSettingsEditorSheet>(store_, port_, clock_);
        sheet_->setActivePage(0);
        sheet_->show();
        clickControl(general(), editor::kIdAutoDetect);
        ASSERT_EQ(general().status(), editor::texts::kSettingsUploaded) << general().unitStatus();
    }

    editor::CSettingsEditorSheet& sheet() { return *sheet_; }
    editor::CGeneral& general() { return sheet_->general(); }
    SettingsStore& store() { return store_; }

    // Shows the page at a place on the sheet (1 to 11) and hands it over as its class.
    template <class Page>
    Page& showPage(int place)
    {
        const int index = sheet_->indexOfPlace(place);
        EXPECT_GE(index, 0) << "no page at place " << place;
        EXPECT_TRUE(sheet_->setActivePage(index));
        return dynamic_cast<Page&>(*sheet_->activePage());
    }

    std::set<std::string> changedFields()
    {
        sheet_->setActivePage(0);
        script.file(QString::fromStdString(saved()));
        clickControl(general(), editor::kIdSaveAs);
        EXPECT_EQ(general().status(), editor::texts::kFileSaved);
        const auto diff = runTool("diff --json " + unitBackup() + " " + saved() + modelOption());
        std::set<std::string> fields;
        const auto json = nlohmann::json::parse(diff.out, nullptr, false);
        EXPECT_FALSE(json.is_discarded()) << diff.out;
        if (json.is_array())
            for (const auto& d : json)
                fields.insert(d["set"].get<std::string>() + ":" + d["field"].get<std::string>());
        return fields;
    }

    // After changedFields: the saved file into the unit, then a fresh backup compared with it.
    bool programmedBack()
    {
        sheet_->setActivePage(0);
        clickControl(general(), editor::kIdLoadFileToUnit);
        port_.close();
        const auto backup = backupTo(dir_.file("after.q20"));
        EXPECT_EQ(backup.status, 0) << backup.out;
        const auto diff = runTool("diff " + saved() + " " + dir_.file("after.q20") + modelOption());
        EXPECT_EQ(diff.status, 0) << general().status() << "\n" << diff.out;
        return backup.status == 0 && diff.status == 0;
    }

    ModalScript script;

private:
    ToolResult backupTo(const std::string& file) { return runTool("backup " + file + " --ports " + sim_.link()); }
    std::string modelOption() const { return " --model " + toolModel_; }
    std::string unitBackup() const { return dir_.file("unit.q20"); }
    std::string saved() const { return dir_.file("edited.q20"); }

    ScratchDir dir_;
    SimulatorProcess sim_;
    std::string toolModel_;
    platform::PosixSerialPort port_;
    platform::RealClock clock_;
    SettingsStore store_;
    std::unique_ptr<editor::CSettingsEditorSheet> sheet_;
};

}  // namespace velmar::test
