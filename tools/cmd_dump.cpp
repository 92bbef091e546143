// velmarctl dump: every setting of a settings file or a raw image, for people or as JSON.
#include <iostream>
#include <string>

#include <nlohmann/json.hpp>

#include "cli_support.h"
#include "command_registry.h"
#include "model_option.h"
#include "platform/regular_file.h"
#include "settings/field_catalog.h"
#include "settings/records/settings_view.h"
#include "settings_input.h"
#include "view_option.h"
#include "text_output.h"
#include "unitlink/settings_file.h"

namespace velmar::cli {
namespace {

constexpr const char* kWrongImageSize = "A raw settings image must hold exactly 4096 bytes";
constexpr const char* kCannotReadImage = "Cannot read the settings image";

nlohmann::json toJson(const FieldValue& v)
{
    switch (v.kind) {
    case FieldValue::Kind::Integer: return v.integer;
    case FieldValue::Kind::Text: return latin1ToUtf8(v.text);
    case FieldValue::Kind::List:
    case FieldValue::Kind::Record: break;
    }
    auto out = v.kind == FieldValue::Kind::Record ? nlohmann::json::object() : nlohmann::json::array();
    for (std::size_t i = 0; i < v.items.size(); ++i) {
        if (v.kind == FieldValue::Kind::Record)
            out[v.keys[i]] = toJson(v.items[i]);
        else
            out.push_back(toJson(v.items[i]));
    }
    return out;
}

nlohmann::json toJson(const std::vector<Field>& fields)
{
    nlohmann::json object = nlohmann::json::object();
    for (const auto& f : fields)
        object[f.name] = toJson(f.value);
    return object;
}

void printLine(const std::string& name, const std::string& value)
{
    std::cout << "    " << name << std::string(name.size() < 22 ? 22 - name.size() : 1, ' ')
              << escapeNonPrintable(value) << '\n';
}

// A list stays on its field's line; a record takes one line per member, named as diff names it.
void printFields(const std::vector<Field>& fields)
{
    const char* group = nullptr;
    for (const auto& f : fields) {
        if (!group || std::string(group) != f.group) {
            group = f.group;
            std::cout << "  " << group << '\n';
        }
        if (f.value.kind != FieldValue::Kind::Record) {
            printLine(f.name, formatFieldValue(f.value));
            continue;
        }
        for (const auto& line : flattenFields("", {f}))
            printLine(line.name, line.value);
    }
}

void printSnapshot(const std::string& source, const DecodedImage& snap, SettingsView view)
{
    std::cout << escapeNonPrintable(source) << " (" << (snap.legacyLayout ? "older layout" : "current layout") << ")\n";
    std::cout << "\nRefused sections: ";
    if (snap.refused.empty())
        std::cout << "none";
    for (std::size_t i = 0; i < snap.refused.size(); ++i)
        std::cout << (i ? ", " : "") << snap.refused[i];
    std::cout << "\n\nUnit\n";
    printFields(listUnitFields(snap.unit));
    for (const auto& set : snap.sets) {
        std::cout << '\n' << set.name << " settings\n";
        printFields(listSet(view, set));
    }
}

nlohmann::json snapshotJson(const DecodedImage& snap, SettingsView view)
{
    nlohmann::json sets = nlohmann::json::object();
    for (const auto& set : snap.sets)
        sets[set.name] = toJson(listSet(view, set));
    return {
        {"layout", snap.legacyLayout ? "legacy" : "current"},
        {"unit", toJson(listUnitFields(snap.unit))},
        {"sets", sets},
        {"refused", snap.refused},
    };
}

bool readRawImage(const std::string& path, Image& image, std::string& message)
{
    std::string bytes;
    std::string reason;
    if (!platform::readRegularFile(path, kImageSize, bytes, reason)) {
        message = fileMessage(kCannotReadImage, path, reason);
        return false;
    }
    if (bytes.size() != kImageSize) {
        message = fileMessage(kWrongImageSize, path);
        return false;
    }
    std::copy(bytes.begin(), bytes.end(), image.begin());
    return true;
}

void addDumpCommand(CLI::App& app)
{
    struct Options {
        std::string path;
        bool raw = false;
        bool json = false;
        SettingsView view = SettingsView::Store;
        ModelKind model = ModelKind::Undetected;
    };
    auto options = std::make_shared<Options>();
    auto* command = app.add_subcommand("dump", "Show every setting of a settings file or a raw image");
    command->add_option("FILE", options->path, "Settings file (.q20), or a raw image with --image")->required();
    command->add_flag("--image", options->raw, "FILE is a raw 4096-byte settings image");
    command->add_flag("--json", options->json, "Print one JSON object");
    addModelOption(*command, options->model);
    addViewOption(*command, options->view);
    describeExitStatus(*command, kFileCommandStatuses);
    command->callback([options] {
        Image image{};
        if (options->raw) {
            std::string message;
            if (!readRawImage(options->path, image, message))
                fail(message);
        } else {
            image = readSettingsFileOrFail(options->path);
        }
        const DecodedImage snap = decodeImage(image, options->model);
        if (options->json)
            printJson(snapshotJson(snap, options->view));
        else
            printSnapshot(options->path, snap, options->view);
    });
}

const CommandRegistration registration{addDumpCommand};

}  // namespace
}  // namespace velmar::cli
