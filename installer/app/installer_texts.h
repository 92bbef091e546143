#pragma once

#include <QString>

#include "upgrade/upgrade_texts.h"

// The dialog's own texts, copied exactly, once.
namespace velmar::installer::texts {

inline constexpr const char* kInstallUpgradeNow = "Install Upgrade Now";
inline constexpr const char* kAbort = "Abort";
inline constexpr const char* kAboutCaption = "About Installer";
inline constexpr const char* kAboutMenuEntry = "&About Installer...";
inline constexpr const char* kHelpMenu = "&Help";
inline constexpr const char* kVersion = "1.13";
inline constexpr const char* kStillInProgress = "Previous operation still in progress, please wait";
inline constexpr const char* kThreadCreationFailed = "Error! Thread creation failed";

inline QString qt(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

inline QString model() { return QString::fromLatin1(kModelName.data(), static_cast<int>(kModelName.size())); }

// "QRX 30 Installer Version 1.13": the caption and the About box.
inline QString versionTitle() { return model() + " Installer Version " + kVersion; }

inline QString procedureText()
{
    const QString m = model();
    return "Procedure:\n\n"
           "1. Ensure that your " +
           m +
           " Setup configuration is saved.\n"
           "2. Turn the power switch at the rear of " +
           m +
           " off, or disconnect the power cord.\n"
           "3. Connect computer to the " +
           m +
           " via the 9-pin RS-232 port.\n"
           "4. Reconnect power to the " +
           m +
           " / turn rear switch on.\n"
           "5. Click on 'Install Upgrade Now' (if " +
           m +
           " is on, it will turn itself off).\n"
           "6. Wait until update is complete.\n"
           "7. If installation fails, click on 'Install Upgrade Now' again.\n"
           "8. Time and day settings are automatically set to your computer's settings.\n";
}

}  // namespace velmar::installer::texts
