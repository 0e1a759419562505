// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The least a Qt Widgets strip costs: the strip's window and controls, and nothing else.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget strip(nullptr, Qt::FramelessWindowHint);
    strip.setFixedSize(285, 19);
    (new QPushButton(&strip))->setGeometry(0, 0, 17, 19);
    (new QLineEdit(QStringLiteral("0"), &strip))->setGeometry(16, 0, 109, 19);
    (new QLabel(QStringLiteral("Lit"), &strip))->setGeometry(128, 0, 29, 17);
    (new QLineEdit(QStringLiteral("0"), &strip))->setGeometry(160, 0, 109, 19);
    (new QLabel(QStringLiteral("€"), &strip))->setGeometry(272, 0, 9, 17);
    strip.show();
    return QApplication::exec();
}
