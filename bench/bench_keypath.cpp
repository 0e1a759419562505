// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/IdleCaret.h"
#include "ui/main/frmMain.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

frmMain *strip = nullptr;

// One key into the euro box holding "1.234", alternately a digit and the backspace that takes it
// away again, each delivered the way the window delivers it and converted on release.
void keyToOtherBox(benchmark::State &state, bool paint)
{
    auto *euro = strip->findChild<QLineEdit *>(QStringLiteral("txtEuro"));
    const auto *own = strip->findChild<QLineEdit *>(QStringLiteral("txtCurrency"));
    euro->setFocus();
    euro->setText(QStringLiteral("1234"));
    QKeyEvent keys[2][2]
            = {{{QEvent::KeyPress, Qt::Key_5, Qt::NoModifier, QStringLiteral("5")},
                {QEvent::KeyRelease, Qt::Key_5, Qt::NoModifier, QStringLiteral("5")}},
               {{QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b")},
                {QEvent::KeyRelease, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b")}}};
    std::size_t next = 0;
    for (auto _ : state) {
        QCoreApplication::sendEvent(euro, &keys[next][0]);
        QCoreApplication::sendEvent(euro, &keys[next][1]);
        if (paint)
            QCoreApplication::processEvents();
        next ^= 1;
    }
    const QString expected = next ? QStringLiteral("23.903.253") : QStringLiteral("2.389.357");
    if (own->text() != expected)
        state.SkipWithError("the own-currency box does not hold the converted amount");
}
BENCHMARK_CAPTURE(keyToOtherBox, text, false);
BENCHMARK_CAPTURE(keyToOtherBox, textAndPaint, true);

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    const QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
    const platform::IdleCaret idleCaret;
    frmMain form;
    form.Form_Load();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    strip = &form;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
