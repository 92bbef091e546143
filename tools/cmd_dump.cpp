// velmarctl dump: every setting of a settings file or a raw image, for people or as JSON.
#include <iostream>
#include <string>

#include <nlohmann/json.hpp>

#include "cli_support.h"
#include "command_registry.h"
#include "model_option.h"
#include "platform/regular_file.h"
#include "settings/field_catalog.h"
#include "settings/image_snapshot.h"
#include "settings_input.h"
#include "text_output.h"
#include "unitlink/settings_file.h"

namespace velmar::cli {
namespace {

constexpr const char* kWrongImageSize = "A raw settings image must hold exactly 4096 bytes";
constexpr const char* kCannotReadImage = "Cannot read the settings image";

nlohmann::json toJson(const FieldValue& v) {
    switch (v.kind) {
    case FieldValue::Kind::Integer:
        return v.integer;
    case FieldValue::Kind::Text:
        return latin1ToUtf8(v.text);
    case FieldValue::Kind::List:
        break;
    }
    auto array = nlohmann::json::array();
    for (const auto& item : v.items) array.push_back(toJson(item));
    return array;
}

nlohmann::json toJson(const std::vector<Field>& fields) {
    nlohmann::json object = nlohmann::json::object();
    for (const auto& f : fields) object[f.name] = toJson(f.value);
    return object;
}

void printFields(const std::vector<Field>& fields) {
    const char* group = nullptr;
    for (const auto& f : fields) {
        if (!group || std::string(group) != f.group) {
            group = f.group;
            std::cout << "  " << group << '\n';
        }
        const std::string name = f.name;
        std::cout << "    " << name << std::string(name.size() < 22 ? 22 - name.size() : 1, ' ')
                  << escapeNonPrintable(formatFieldValue(f.value)) << '\n';
    }
}

void printSnapshot(const std::string& source, const ImageSnapshot& snap) {
    std::cout << escapeNonPrintable(source) << " (" << (snap.legacyLayout ? "older layout" : "current layout") << ")\n";
    std::cout << "\nRefused sections: ";
    if (snap.refused.empty()) std::cout << "none";
    for (std::size_t i = 0; i < snap.refused.size(); ++i) std::cout << (i ? ", " : "") << snap.refused[i];
    std::cout << "\n\nUnit\n";
    printFields(listUnitFields(snap.unit));
    for (const auto& set : snap.sets) {
        std::cout << '\n' << set.name << " settings\n";
        printFields(listSetFields(set.fields));
    }
}

nlohmann::json snapshotJson(const ImageSnapshot& snap) {
    nlohmann::json sets = nlohmann::json::object();
    for (const auto& set : snap.sets) sets[set.name] = toJson(listSetFields(set.fields));
    return {
        {"layout", snap.legacyLayout ? "legacy" : "current"},
        {"unit", toJson(listUnitFields(snap.unit))},
        {"sets", sets},
        {"refused", snap.refused},
    };
}

bool readRawImage(const std::string& path, Image& image, std::string& message) {
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

void addDumpCommand(CLI::App& app) {
    struct Options {
        std::string path;
        bool raw = false;
        bool json = false;
        ModelKind model = ModelKind::Undetected;
    };
    auto options = std::make_shared<Options>();
    auto* command = app.add_subcommand("dump", "Show every setting of a settings file or a raw image");
    command->add_option("FILE", options->path, "Settings file (.q20), or a raw image with --image")->required();
    command->add_flag("--image", options->raw, "FILE is a raw 4096-byte settings image");
    command->add_flag("--json", options->json, "Print one JSON object");
    addModelOption(*command, options->model);
    describeExitStatus(*command, kFileCommandStatuses);
    command->callback([options] {
        SettingsStore store;
        store.setModelKind(options->model);
        if (options->raw) {
            std::string message;
            if (!readRawImage(options->path, store.readImage, message)) fail(message);
        } else {
            store.readImage = readSettingsFileOrFail(options->path);
        }
        const ImageSnapshot snap = snapshotImage(store);
        if (options->json) printJson(snapshotJson(snap));
        else printSnapshot(options->path, snap);
    });
}

const CommandRegistration registration{addDumpCommand};

}  // namespace
}  // namespace velmar::cli
