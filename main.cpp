#include "platform/IdleCaret.h"
#include "platform/Process.h"
#include "ui/BuildInfo.h"
#include "ui/main/frmMain.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char *argv[])
{
    platform::PreferX11();
    QApplication app(argc, argv);
    platform::ForgetX11Preference();
    QApplication::setApplicationName(QStringLiteral("Cambrivo"));
    QApplication::setOrganizationName(QStringLiteral("Cambrivo"));
    QApplication::setApplicationVersion(buildinfo::version());
    QGuiApplication::setDesktopFileName(buildinfo::appId());

    // The toolkit's own texts (the amount boxes' edit menu) speak the program's Italian.
    QTranslator toolkit;
    if (toolkit.load(QLocale(QLocale::Italian), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&toolkit);

    // The forms are laid out for Tahoma's narrow letters; where it is missing, the wide default
    // sans-serif would clip the longer captions.
    QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                               {QStringLiteral("DejaVu Sans Condensed"),
                                QStringLiteral("Liberation Sans")});

    const platform::IdleCaret idleCaret;
    frmMain form;
    form.Form_Load();
    return QApplication::exec();
}
