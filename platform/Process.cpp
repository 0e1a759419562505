// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Process.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <tuple>

namespace platform {

std::function<void()> &endProcessFunction()
{
    static std::function<void()> function = [] {
        std::_Exit(EXIT_SUCCESS);
    };
    return function;
}

void EndProcess()
{
    endProcessFunction()();
}

namespace {

bool x11Chosen = false;

} // namespace

void PreferX11()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        x11Chosen = qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("xcb"));
}

void ForgetX11Preference()
{
    if (x11Chosen)
        qunsetenv("QT_QPA_PLATFORM");
    x11Chosen = false;
}

namespace {

QtMessageHandler toolkitHandler = nullptr;
QList<std::tuple<QtMsgType, QByteArray, QString>> heldBack;

QByteArray triedDisplay()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const QByteArray x11 = qgetenv("DISPLAY");
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    if (platform.startsWith("wayland"))
        return "WAYLAND_DISPLAY=" + (wayland.isEmpty() ? QByteArray("wayland-0") : wayland);
    if (!platform.isEmpty() && !platform.startsWith("xcb"))
        return "the platform " + platform;
    if (x11.isEmpty() && wayland.isEmpty())
        return {};
    return "DISPLAY=" + x11;
}

void holdBackOrExplain(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg) {
        const QByteArray tried = triedDisplay();
        if (tried.isEmpty())
            std::fputs("cambrivo: needs a graphical display, and neither DISPLAY nor "
                       "WAYLAND_DISPLAY is set\n",
                       stderr);
        else
            std::fprintf(stderr, "cambrivo: needs a graphical display and cannot open %s\n",
                         tried.constData());
        std::_Exit(EXIT_FAILURE);
    }
    heldBack.append({type, QByteArray(context.category ? context.category : ""), text});
}

} // namespace

void ExplainMissingDisplay()
{
    toolkitHandler = qInstallMessageHandler(holdBackOrExplain);
}

void DisplayOpened()
{
    qInstallMessageHandler(toolkitHandler);
    for (const auto &[type, category, text] : std::as_const(heldBack))
        toolkitHandler(type, QMessageLogContext(nullptr, 0, nullptr, category.constData()), text);
    heldBack.clear();
}

} // namespace platform
