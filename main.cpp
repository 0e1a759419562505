// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "i18n/Language.h"
#include "platform/CommandLine.h"
#include "platform/IdleCaret.h"
#include "platform/Process.h"
#include "platform/SingleInstance.h"
#include "ui/BuildInfo.h"
#include "ui/main/frmMain.h"

#include <QApplication>

#include <cstdlib>
#include <optional>

int main(int argc, char *argv[])
{
    const platform::Command command = platform::ParseCommandLine(argc, argv);
    platform::PreferX11();
    // Before the application object, which would cost a second start most of its time.
    const platform::Claim claim = platform::ClaimStrip(command);
    if (claim == platform::Claim::HandedOver)
        return EXIT_SUCCESS;
    platform::ExplainMissingDisplay();
    QApplication app(argc, argv);
    platform::DisplayOpened();
    platform::ForgetX11Preference();
    QApplication::setApplicationName(QStringLiteral("Cambrivo"));
    QApplication::setOrganizationName(QStringLiteral("Cambrivo"));
    QApplication::setApplicationVersion(buildinfo::version());
    QGuiApplication::setDesktopFileName(buildinfo::appId());

    cambrivo::TranslateToolkit();

    const platform::IdleCaret idleCaret;
    frmMain form;
    form.Form_Load();
    std::optional<platform::CommandServer> commands;
    if (claim == platform::Claim::Serve) {
        commands.emplace([&form](platform::Command asked) {
            asked == platform::Command::Toggle ? form.ToggleShown() : form.Present();
        });
        commands->listen(platform::ClaimedSocketPath());
    }
    return QApplication::exec();
}
