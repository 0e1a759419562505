// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QDirIterator>
#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

// Replays the files of the folder given, so that the normal build checks the seed corpus.
int main(int, char *argv[])
{
    int replayed = 0;
    for (QDirIterator it(QString::fromLocal8Bit(argv[1]), QDir::Files); it.hasNext(); ++replayed) {
        QFile file(it.next());
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size());
    }
    return replayed > 0 ? 0 : 1;
}
