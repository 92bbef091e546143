// velmarctl flash main|loader, velmarctl verify, velmarctl eeprom: the installer's flash and
// data-EEPROM operations with the images it carries.
#include <CLI/CLI.hpp>

#include "cli_support.h"
#include "command_registry.h"
#include "installer/firmware/firmware_images.h"
#include "unitlink/status_texts.h"
#include "terminal_progress.h"
#include "unit_session.h"

namespace velmar::tools {

namespace {

using unitlink::UnitLink;
using unitlink::UnitModel;

struct FlashOptions {
    PortOptions port;
    std::string image = "main";
};

// Found and with the port open, as the installer has the unit before each of these steps.
void findUnit(UnitLink& link)
{
    std::string message;
    if (!link.DetectUnit(message) || !link.OpenPort(message))
        cli::fail(message);
}

int runFlash(const FlashOptions& options)
{
    UnitSession session(options.port, Variant::Installer);
    auto& link = session.link();
    findUnit(link);
    std::string message;
    if (!link.EnterLoaderFast(message))
        cli::fail(message);
    link.takeUnknownModelAsQrx30();
    const bool main = options.image == "main";
    if (!main)
        UnitSession::status(status::kProgrammingWithEeLoader);
    TerminalProgress progress;
    const bool ok = link.ProgramFlash(message, progress, main ? firmware::mainImage() : firmware::eepromLoaderImage(),
                                      main ? UnitLink::FlashImageKind::Main : UnitLink::FlashImageKind::EepromLoader);
    if (!ok)
        cli::fail(message);
    UnitSession::status(message);
    return 0;
}

int runVerify(const PortOptions& options)
{
    UnitSession session(options, Variant::Installer);
    auto& link = session.link();
    findUnit(link);
    UnitSession::status(status::kVerifyingFlash);
    std::string message;
    TerminalProgress progress;
    if (!link.VerifyFlash(message, progress, firmware::mainImage()))
        cli::fail(message);
    UnitSession::status(message);
    return 0;
}

int runEeprom(const PortOptions& options)
{
    UnitSession session(options, Variant::Installer);
    auto& link = session.link();
    std::string message;
    if (!link.DetectUnit(message))
        cli::fail(message);
    UnitSession::status(status::kProgrammingEeprom);
    TerminalProgress progress;
    // Section 5 is the settings-store byte that nothing in this system sets.
    if (!link.ProgramEepromImage(message, progress, firmware::dataEepromSections(0)))
        cli::fail(message);
    UnitSession::status(message);
    return 0;
}

void addFlashCommands(CLI::App& app)
{
    auto flash = std::make_shared<FlashOptions>();
    CLI::App* cmd = app.add_subcommand("flash", "Program the unit's flash with the main firmware or the EEPROM loader");
    cmd->add_option("image", flash->image, "main or loader")->required()->check(CLI::IsMember({"main", "loader"}));
    addPortOptions(*cmd, flash->port);
    cli::describeExitStatus(*cmd, cli::kUnitCommandStatuses);
    cmd->callback([flash] { runFlash(*flash); });

    auto verify = std::make_shared<PortOptions>();
    cmd = app.add_subcommand("verify", "Compare the unit's flash word by word with the main firmware image");
    addPortOptions(*cmd, *verify);
    cli::describeExitStatus(*cmd, cli::kUnitCommandStatuses);
    cmd->callback([verify] { runVerify(*verify); });

    auto eeprom = std::make_shared<PortOptions>();
    cmd = app.add_subcommand("eeprom", "Write the data-EEPROM sections and their directory into the unit");
    addPortOptions(*cmd, *eeprom);
    cli::describeExitStatus(*cmd, cli::kUnitCommandStatuses);
    cmd->callback([eeprom] { runEeprom(*eeprom); });
}

const cli::CommandRegistration registration{addFlashCommands};

}  // namespace

}  // namespace velmar::tools
