// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "IniFile.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr qint64 largestFile = 1 << 20;
constexpr int longestValue = 254;

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f';
}

QStringView trimmed(QStringView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

// Only ASCII letters fold: other letters compare as they stand. Written in place, as a
// character at a time would cost most of the time a large file takes.
void appendFolded(QString &to, QStringView name)
{
    const qsizetype at = to.size();
    to.resize(at + name.size());
    std::transform(name.begin(), name.end(), to.begin() + at, [](QChar c) {
        return c >= u'A' && c <= u'Z' ? QChar(static_cast<char16_t>(c.unicode() + (u'a' - u'A')))
                                      : c;
    });
}

// Whether bytes are UTF-8 throughout, a sequence cut off at the end included. Checked a block
// at a time, each ending before a byte that starts a character, so that a large file costs no
// memory.
bool isUtf8(QByteArrayView bytes)
{
    constexpr qsizetype block = 4096;
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    std::array<QChar, block> buffer; // a byte gives at most one character
    while (!bytes.isEmpty() && !decoder.hasError()) {
        qsizetype size = std::min(bytes.size(), block);
        while (size < bytes.size() && size > 1 && (bytes[size] & 0xC0) == 0x80)
            --size;
        decoder.appendToBuffer(buffer.data(), bytes.first(size));
        bytes = bytes.sliced(size);
    }
    return !decoder.hasError();
}

// Calls `line` with each line of `text` until it returns false. Lines end at LF, CR or CR LF;
// the empty line inside a CR LF is passed like any other. Each kind of end is searched for
// again only once passed, so that a file with only the other kind is not scanned to its end at
// every line.
template<typename View, typename Char, typename Line> void forEachLine(View text, Line line)
{
    qsizetype lf = -2; // -2: not searched yet, -1: none left
    qsizetype cr = -2;
    const auto next = [text](qsizetype &found, Char end, qsizetype from) {
        if (found != -1 && found < from)
            found = text.indexOf(end, from);
        return found < 0 ? text.size() : found;
    };
    for (qsizetype from = 0; from < text.size();) {
        const qsizetype to = std::min(next(lf, Char(u'\n'), from), next(cr, Char(u'\r'), from));
        if (!line(text.sliced(from, to - from)))
            return;
        from = to + 1;
    }
}

QString valueOf(QStringView text)
{
    if (text.size() >= 2 && (text.front() == u'"' || text.front() == u'\'')
        && text.back() == text.front())
        text = text.sliced(1, text.size() - 2);
    qsizetype end = 0;
    for (int count = 0; count < longestValue && end < text.size(); ++count) {
        const bool pair = text[end].isHighSurrogate() && end + 1 < text.size()
                && text[end + 1].isLowSurrogate();
        end += pair ? 2 : 1;
    }
    return text.first(end).toString();
}

} // namespace

const char *LegacyCodePage(QStringView language)
{
    static constexpr std::pair<const char *, QLatin1StringView> codePages[] = {
            {"windows-1251", QLatin1StringView(" bg ru uk sr mk be ")},
            {"windows-1250", QLatin1StringView(" pl cs sk hu hr sl ro sq ")},
            {"windows-1253", QLatin1StringView(" el ")},
            {"windows-1254", QLatin1StringView(" tr ")},
            {"windows-1255", QLatin1StringView(" he ")},
            {"windows-1256", QLatin1StringView(" ar fa ur ")},
            {"windows-1257", QLatin1StringView(" et lv lt ")},
            {"windows-1258", QLatin1StringView(" vi ")},
    };
    const QString word = u' ' + language.toString() + u' ';
    for (const auto &[codePage, languages] : codePages)
        if (languages.contains(word))
            return codePage;
    return "windows-1252";
}

IniValues ParseIni(QByteArrayView bytes, const QSet<QString> &wanted, const char *legacy)
{
    QSet<QString> wantedSections;
    for (const QString &key : wanted)
        wantedSections.insert(key.section(u'\n', 0, 0));

    IniValues values;
    QSet<QString> sections;
    QString section;
    QString key; // reused, so that a line costs no allocation unless its value is kept
    bool reading = false; // false before the first header, in repeated and in unwanted sections
    // Takes one decoded line; false once nothing later can change the values.
    const auto take = [&](QStringView line) {
        if (const qsizetype nul = line.indexOf(QChar(u'\0')); nul >= 0)
            line.truncate(nul);
        line = trimmed(line);
        if (line.isEmpty() || line.front() == u';')
            return true;
        if (line.front() == u'[') {
            // A header without "]" runs to the end of its line.
            const qsizetype close = line.indexOf(u']');
            section.clear();
            appendFolded(section, trimmed(line.sliced(1, (close < 0 ? line.size() : close) - 1)));
            reading = !sections.contains(section)
                    && (wanted.isEmpty() || wantedSections.contains(section));
            sections.insert(section);
            return true;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!reading || equals < 0)
            return true;
        key.resize(0);
        key += section;
        key += u'\n';
        appendFolded(key, trimmed(line.first(equals)));
        if ((wanted.isEmpty() || wanted.contains(key)) && !values.contains(key))
            values.insert(key, valueOf(trimmed(line.sliced(equals + 1))));
        // The first value of a key is the one that counts.
        return values.size() != wanted.size();
    };

    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(bytes[0] == '\xFF' ? QStringConverter::Utf16LE
                                                  : QStringConverter::Utf16BE,
                               QStringConverter::Flag::Stateless);
        const QString text = decoder(bytes.sliced(2));
        forEachLine<QStringView, QChar>(text, take);
        return values;
    }
    // Otherwise every line end and every character that tells a line's kind is one ASCII byte,
    // so lines are found in the bytes and only those that may count are decoded, one at a time:
    // a large file is never held twice. A U+FEFF that starts a line is a character like any
    // other, but for one right after the byte order mark. Latin-1 only when the toolkit lacks the
    // code page: Windows-1252, for one, has the euro sign at 0x80.
    const bool bom = bytes.startsWith("\xEF\xBB\xBF");
    if (bom)
        bytes = bytes.sliced(bytes.sliced(3).startsWith("\xEF\xBB\xBF") ? 6 : 3);
    constexpr auto flags
            = QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;
    QStringDecoder decoder = bom || isUtf8(bytes) ? QStringDecoder(QStringConverter::Utf8, flags)
                                                  : QStringDecoder(legacy, flags);
    forEachLine<QByteArrayView, char>(bytes, [&](QByteArrayView line) {
        const auto *first = std::find_if_not(line.begin(), line.end(),
                                             [](char c) { return isBlank(QLatin1Char(c)); });
        if (!reading && (first == line.end() || *first != '['))
            return true;
        return take(decoder.isValid() ? QString(decoder(line)) : QString::fromLatin1(line));
    });
    return values;
}

QString IniKey(QStringView section, QStringView key)
{
    QString joined;
    appendFolded(joined, section);
    joined += u'\n';
    appendFolded(joined, key);
    return joined;
}

namespace {

// Opens `path` for reading if it is a regular file of at most 1 MiB, else gives -1. The type is
// checked on the opened handle, and opening does not wait for a writer, so a FIFO or device put
// in the file's place after a search can neither hang nor be read.
int openSmallFile(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat status = {};
    if (fd >= 0
        && (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)
            || status.st_size > largestFile)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

IniValues ReadIniFile(const QString &path, const QSet<QString> &wanted, const char *legacy)
{
    const int fd = openSmallFile(path);
    if (fd < 0)
        return {};
    // One byte more than the limit tells a file that has grown since.
    QByteArray bytes(largestFile + 1, Qt::Uninitialized);
    qsizetype size = 0;
    for (ssize_t got = 1; got > 0 && size < bytes.size(); size += got)
        got = std::max<ssize_t>(::read(fd, bytes.data() + size, bytes.size() - size), 0);
    bytes.truncate(size);
    ::close(fd);
    return bytes.isEmpty() || bytes.size() > largestFile ? IniValues()
                                                         : ParseIni(bytes, wanted, legacy);
}

std::optional<QString> IniValue(const IniValues &ini, QStringView section, QStringView key)
{
    const auto value = ini.constFind(IniKey(section, key));
    return value == ini.cend() ? std::nullopt : std::optional<QString>(*value);
}

QString FindLanguageFile(const QString &folder)
{
    // Listed with the system's own calls: the program's folder may be /usr/bin, whose thousands
    // of entries the toolkit's wildcard matching takes milliseconds over, at every start.
    QStringList names;
    if (DIR *dir = ::opendir(QFile::encodeName(folder).constData())) {
        while (const dirent *entry = ::readdir(dir)) {
            const std::string_view name(entry->d_name);
            if (name.size() > 4 && name.front() != '.'
                && ::strcasecmp(name.data() + name.size() - 4, ".lgf") == 0)
                names += QFile::decodeName(entry->d_name);
        }
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order < 0 || (order == 0 && a < b);
    });
    // Hidden files are left out above; folders, FIFOs, devices and broken links here, by the
    // opening, which looks through a link. A file that cannot be read whole gives way to the
    // next, as a missing one would.
    const QDir dir(folder);
    for (const QString &name : std::as_const(names))
        if (const int fd = openSmallFile(dir.filePath(name)); fd >= 0) {
            ::close(fd);
            return dir.filePath(name);
        }
    return {};
}

} // namespace platform
