#include "Process.h"

#include <QByteArray>
#include <QtGlobal>

#include <cstdlib>

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

} // namespace platform
