#include "platform/Process.h"
#include "ui/BuildInfo.h"
#include "ui/main/frmMain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    platform::PreferX11();
    QApplication app(argc, argv);
    platform::ForgetX11Preference();
    QApplication::setApplicationName(QStringLiteral("Cambrivo"));
    QApplication::setOrganizationName(QStringLiteral("Cambrivo"));
    QApplication::setApplicationVersion(buildinfo::version());

    frmMain form;
    form.Form_Load();
    return QApplication::exec();
}
