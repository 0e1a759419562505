#include "platform/IdleCaret.h"
#include "platform/Process.h"
#include "ui/main/frmMain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    platform::PreferX11();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Cambrivo"));
    QApplication::setOrganizationName(QStringLiteral("Cambrivo"));
    QApplication::setApplicationVersion(QStringLiteral("1.4.0"));

    const platform::IdleCaret idleCaret;
    frmMain form;
    form.Form_Load();
    return QApplication::exec();
}
