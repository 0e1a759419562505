// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "i18n/Module1.h"
#include "platform/IdleCaret.h"
#include "platform/Process.h"
#include "ui/BuildInfo.h"
#include "ui/main/frmMain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    platform::PreferX11();
    platform::ExplainMissingDisplay();
    QApplication app(argc, argv);
    platform::DisplayOpened();
    platform::ForgetX11Preference();
    QApplication::setApplicationName(QStringLiteral("Cambrivo"));
    QApplication::setOrganizationName(QStringLiteral("Cambrivo"));
    QApplication::setApplicationVersion(buildinfo::version());
    QGuiApplication::setDesktopFileName(buildinfo::appId());

    Module1::TranslateToolkit();

    const platform::IdleCaret idleCaret;
    frmMain form;
    form.Form_Load();
    return QApplication::exec();
}
