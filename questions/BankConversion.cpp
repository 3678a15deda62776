#include "questions/BankConversion.h"

#include "questions/BankLines.h"
#include "questions/BankText.h"
#include "questions/DecodeLine.h"
#include "core/RunTimeError.h"

#include <QSaveFile>

namespace {

// Writes a text file line by line, each ended by CR LF, and puts it in place only when complete.
class LineWriter {
public:
    explicit LineWriter(const QString& path)
        : file_(path)
    {
        if (!file_.open(QIODevice::WriteOnly))
            throw RunTimeError::inFile(path, 0, QStringLiteral("cannot write the file: %1").arg(file_.errorString()));
    }

    void write(QByteArrayView line)
    {
        buffer_.append(line);
        buffer_.append("\r\n", 2);
        if (buffer_.size() >= 1 << 20)
            flush();
    }

    void commit()
    {
        flush();
        if (!file_.commit())
            throw RunTimeError::inFile(file_.fileName(), 0, QStringLiteral("cannot write the file: %1").arg(file_.errorString()));
    }

private:
    void flush()
    {
        if (file_.write(buffer_) != buffer_.size())
            throw RunTimeError::inFile(file_.fileName(), 0, QStringLiteral("cannot write the file: %1").arg(file_.errorString()));
        buffer_.clear();
    }

    QSaveFile file_;
    QByteArray buffer_;
};

// A conversion keeps a line as a separator only when it is longer than the three apostrophes.
bool keptAsSeparator(QByteArrayView trimmed)
{
    return trimmed.size() > 3 && isSeparator(trimmed);
}

// Every bank starts with a header line, copied as it stands; a file without one is refused.
QByteArrayView headerLine(BankLines& lines, const QString& path, const QString& whatIsEmpty)
{
    QByteArrayView line;
    if (!lines.next(line))
        throw RunTimeError::inFile(path, 1, QStringLiteral("%1 is empty: it has no header line").arg(whatIsEmpty));
    return line;
}

} // namespace

QByteArray codedLine(QByteArrayView plainLine)
{
    const QByteArrayView trimmed = trimBlanks(plainLine);
    return keptAsSeparator(trimmed) ? trimmed.toByteArray() : encodeText(trimmed);
}

void convertPlainBank(const QString& plainPath, const QString& codedPath)
{
    BankLines plain(plainPath);
    QByteArrayView line = headerLine(plain, plainPath, QStringLiteral("the plain bank"));
    LineWriter coded(codedPath);
    coded.write(line);
    while (plain.next(line))
        coded.write(codedLine(line));
    coded.commit();
}

QList<qint64> restorePlainBank(const QString& codedPath, const QString& plainPath)
{
    BankLines coded(codedPath);
    QByteArrayView line = headerLine(coded, codedPath, QStringLiteral("the bank"));
    LineWriter plain(plainPath);
    plain.write(line);
    QList<qint64> fragile;
    QByteArray text;
    while (coded.next(line)) {
        const QByteArrayView trimmed = trimBlanks(line);
        if (isSeparator(trimmed)) {
            plain.write(line);
            if (!keptAsSeparator(trimmed) || !isSeparator(line))
                fragile.append(coded.lineNumber());
        } else {
            text = line.toByteArray();
            decodeText(text);
            plain.write(text);
        }
    }
    plain.commit();
    return fragile;
}
