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

void PreferX11()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("xcb"));
}

} // namespace platform
