#include "Beep.h"

#include <QApplication>

namespace platform {

std::function<void()> &beepFunction()
{
    static std::function<void()> function = [] {
        QApplication::beep();
    };
    return function;
}

void Beep()
{
    if (beepFunction())
        beepFunction()();
}

} // namespace platform
