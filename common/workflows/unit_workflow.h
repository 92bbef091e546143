#pragma once

// The unit workflows of the settings editor, without Qt: identify the unit, retrieve its
// settings (into the store, or on to a settings file), and program a settings file into it,
// rebuilt in the current layout for the firmware that wants it. The General page and
// velmarctl backup and restore run the same steps and show the same texts.

#include <functional>
#include <string>
#include <string_view>

#include "settings/image.h"
#include "settings/settings_store.h"
#include "unitlink/progress_sink.h"
#include "unitlink/unit_link.h"

namespace velmar::workflows {

// What a status text is to the one who shows it.
enum class Shown {
    Step,     // a step starts: "Retrieving Settings...Please Wait"
    Result,   // a step ended well and says so: "Unit Settings Saved OK."
    Detail,   // passing news a status line shows and a log leaves out: what detection found
    Failure,  // the workflow ends on this text
};

// The side that shows a workflow: the editor's General page, or a terminal.
class WorkflowHost {
public:
    virtual ~WorkflowHost() = default;
    // The status line now says `text`; the workflow waits until this returns.
    virtual void show(const std::string& text, Shown kind) = 0;
    // Runs one operation on the unit and returns its result. The editor runs it on its worker
    // with the window painting; a terminal runs it in place.
    virtual bool onUnit(const std::function<bool()>& operation) { return operation(); }
    // A settings transfer (retrieving or programming) starts (true) and has ended (false): the
    // one stretch in which a request to stop is heard.
    virtual void transferUnderWay(bool) {}
    // Asked before each settings byte or address while a transfer is under way (on the thread
    // that runs the unit work): on true the transfer stops there, where nothing is half done,
    // and the unit is let out of its loader.
    virtual bool stopRequested() { return false; }
};

// From firmware 2.10 on, a file's image is rebuilt in the current layout before it is
// programmed; older firmware takes it as it is.
[[nodiscard]] bool rebuildsImages(double firmwareVersion);

// Fills the store's write image from its read image as the firmware wants it.
void prepareWriteImage(SettingsStore& store, double firmwareVersion);

// Where programFile takes the file's image from, at the point the editor opens the file;
// false with the reason in message.
using FileReader = std::function<bool(Image& image, std::string& message)>;

class UnitWorkflow {
public:
    UnitWorkflow(unitlink::UnitLink& link, ProgressSink& progress, WorkflowHost& host);

    // Auto Detect's first half: finds the unit, and when it runs its main firmware, reads the
    // firmware version into the store's model. True when the version was read.
    [[nodiscard]] bool identify(SettingsStore& store);

    // "Save settings from unit to file" up to the file: the unit's settings EEPROM into image.
    [[nodiscard]] bool retrieve(Image& readImage);

    // The whole "Save settings from unit to file": the file holds the unit's image as
    // retrieved, its own adjustments included.
    [[nodiscard]] bool retrieveToFile(SettingsStore& store, const std::string& path);

    // "Load settings from file to unit": reads the firmware version into the store's model,
    // the file through `read`, rebuilds the image when the firmware wants it and programs it
    // (the bytes that differ from the unit's, or every byte).
    [[nodiscard]] bool programFile(SettingsStore& store, const FileReader& read, bool keepUnitAdjustments,
                                   unitlink::SettingsWrite write = unitlink::SettingsWrite::OnlyDiffering);

    // The last text shown.
    const std::string& status() const { return status_; }
    // The last retrieval or programming was stopped on request before its end and the unit let
    // out of its loader: a stopped programming leaves part of the file in the unit, a stopped
    // retrieval writes no file.
    bool transferStopped() const { return transferStopped_; }

private:
    // Detection, model check, port and zones off before a transfer.
    bool findUnitForTransfer(std::string_view searching, std::string_view turnOffFailed);
    bool onUnit(const std::function<bool()>& operation) { return host_.onUnit(operation); }
    void show(Shown kind) { host_.show(status_, kind); }
    void step(std::string_view text);
    bool fail();
    // Connects for the transfer and runs it with stop requests heard.
    bool transfer(const std::function<bool()>& operation);

    unitlink::UnitLink& link_;
    ProgressSink& progress_;
    WorkflowHost& host_;
    std::string status_;
    bool transferStopped_ = false;
};

}  // namespace velmar::workflows
