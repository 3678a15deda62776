#include "questions/BankFile.h"

#include "questions/BankConversion.h"
#include "questions/BankLines.h"
#include "questions/BankText.h"
#include "core/RunTimeError.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>

BankFormat bankFormat(const QString& path)
{
    BankLines lines(path);
    QByteArrayView line;
    qint64 plain = 0;
    qint64 coded = 0;
    while (lines.next(line) && lines.lineNumber() < 2000) {
        if (lines.lineNumber() <= 2 || isSeparator(trimBlanks(line)))
            continue;
        for (char c : line) {
            const auto code = static_cast<uint8_t>(c);
            plain += code >= 33 && code <= 125;
            coded += code >= 126 && code <= 254;
        }
    }
    return coded > plain ? BankFormat::Coded : BankFormat::Plain;
}

BankFileReport openBank(const QString& path, BankFormat& format, const std::function<void(int, int)>& progress)
{
    format = bankFormat(path);
    if (format == BankFormat::Coded)
        return readBankFile(path, progress);
    // A plain bank is read as the game will read it once coded: through the conversion.
    QTemporaryDir dir;
    if (!dir.isValid())
        throw RunTimeError::inFile(path, 0, QStringLiteral("cannot make a folder to code the plain bank in"));
    const QString coded = dir.filePath(QStringLiteral("DATA.ASC"));
    convertPlainBank(path, coded);
    return readBankFile(coded, progress);
}

QList<BankFinding> unplayable(const QuestionBank& bank)
{
    if (bank.questions.isEmpty())
        return {{0, 0, BankField::None, QStringLiteral("the bank holds no questions")}};
    if (bank.questions.size() > 32767)
        return {{0, 0, BankField::None,
                 QStringLiteral("the bank holds %1 questions, more than the 32767 the game can count")
                     .arg(bank.questions.size())}};
    QList<BankFinding> found;
    for (qsizetype i = 0; i < bank.questions.size(); ++i) {
        for (const BankFinding& f : checkAnswerNumbers(bank.questions[i], static_cast<int>(i + 1))) {
            if (f.field == BankField::RightAnswer)
                found.append(f);
        }
    }
    return found;
}

namespace {

void writeWhole(const QByteArray& bytes, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw RunTimeError::inFile(path, 0, QStringLiteral("cannot write the file: %1").arg(file.errorString()));
}

// Reads the coded bytes back with the game's reader, from a file beside the target.
void verifyReadBack(const QuestionBank& bank, const QByteArray& coded, const QString& path,
                    const std::function<void(int, int)>& progress)
{
    QTemporaryDir dir(QFileInfo(path).absolutePath() + QStringLiteral("/.bank-check-XXXXXX"));
    if (!dir.isValid())
        throw RunTimeError::inFile(path, 0, QStringLiteral("cannot write beside the bank to check it"));
    const QString copy = dir.filePath(QStringLiteral("DATA.ASC"));
    writeWhole(coded, copy);
    const BankFileReport back = readBankFile(copy, progress);
    if (!back.structure.isEmpty())
        throw RunTimeError::inFile(path, back.structure.first().line,
                                   QStringLiteral("the new bank does not read back: %1").arg(back.structure.first().message));
    if (back.questions.size() != bank.questions.size())
        throw RunTimeError::inFile(path, 0, QStringLiteral("the new bank reads back %1 questions instead of %2")
                                                .arg(back.questions.size())
                                                .arg(bank.questions.size()));
    for (qsizetype i = 0; i < bank.questions.size(); ++i) {
        if (back.questions[i] != storedForm(bank.questions[i]))
            throw RunTimeError::inFile(path, back.firstLines[i],
                                       QStringLiteral("question %1 of the new bank reads back differently from what "
                                                      "was written (a character the bank cannot store?)")
                                           .arg(i + 1));
    }
}

} // namespace

void saveCodedBank(const QuestionBank& bank, const QString& path, const std::function<void(int, int)>& progress)
{
    const QList<BankFinding> refused = unplayable(bank);
    if (!refused.isEmpty())
        throw RunTimeError::inFile(path, 0, QStringLiteral("the game cannot play this bank: %1").arg(refused.first().message));
    const QByteArray coded = codedBankBytes(bank);
    verifyReadBack(bank, coded, path, progress);
    writeWhole(coded, path);
}

void savePlainBank(const QuestionBank& bank, const QString& path)
{
    // The plain bank must code into the very bank the game is given.
    const QByteArray plain = plainBankBytes(bank);
    QTemporaryDir dir(QFileInfo(path).absolutePath() + QStringLiteral("/.bank-check-XXXXXX"));
    if (!dir.isValid())
        throw RunTimeError::inFile(path, 0, QStringLiteral("cannot write beside the bank to check it"));
    writeWhole(plain, dir.filePath(QStringLiteral("DATANON.ASC")));
    convertPlainBank(dir.filePath(QStringLiteral("DATANON.ASC")), dir.filePath(QStringLiteral("DATA.ASC")));
    BankLines coded(dir.filePath(QStringLiteral("DATA.ASC")));
    const QList<QByteArray> expected = codedBankBytes(bank).split('\n');
    QByteArrayView line;
    while (coded.next(line)) {
        if (line != QByteArrayView(expected[coded.lineNumber() - 1]).chopped(1))
            throw RunTimeError::inFile(path, coded.lineNumber(),
                                       QStringLiteral("this line would not code as the bank holds it: a text that "
                                                      "starts with ''' reads as a separator in a plain bank"));
    }
    writeWhole(plain, path);
}
