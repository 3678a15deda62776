#include "questions/ReadQuestion.h"

#include "questions/BankIndex.h"
#include "questions/BankLines.h"
#include "core/GameState.h"
#include "questions/QuestionRecord.h"
#include "core/RunTimeError.h"

namespace {

// What the last index pass learnt; a fetch uses its offsets only while it still describes the
// bank on disk and the game state it filled.
BankIndex& lastIndex()
{
    static BankIndex index;
    return index;
}

void indexPass()
{
    BankIndex index = indexBank(game().BankFile);
    game().QuestionCount = index.count();
    game().QuestionStart = index.starts;
    lastIndex() = std::move(index);
}

bool indexHolds(const BankLines& bank, int16_t number)
{
    const BankIndex& index = lastIndex();
    return index.path == bank.path() && index.size == bank.size() && index.modified == bank.modified()
        && number <= index.count() && index.starts[number] == game().QuestionStart[number];
}

// Brings the bank to the line in front of the record, by seeking when the index still holds,
// by reading line after line when the file has changed since.
void skipToRecord(BankLines& bank, int16_t number)
{
    const int32_t linesBefore = game().QuestionStart[number];
    if (indexHolds(bank, number)) {
        bank.seek(lastIndex().offsets[number], linesBefore);
        return;
    }
    QByteArrayView line;
    while (bank.lineNumber() < linesBefore) {
        if (!bank.next(line))
            throw RunTimeError::inFile(bank.path(), bank.lineNumber() + 1,
                QStringLiteral("question %1 is cut short: the file ends before its record").arg(number));
    }
}

} // namespace

void ReadQuestion(int16_t& mode, int16_t& number, QString& questionText, QStringList& answers,
                  int16_t& kind, int16_t& rightAnswer, int16_t& extraAnswer, QString& extraText,
                  QString& clipName)
{
    if (mode == 1) {
        indexPass();
        return;
    }
    const int16_t count = game().QuestionCount;
    if (number < 1 || number > count || static_cast<size_t>(number) >= game().QuestionStart.size())
        throw RunTimeError::inFile(game().BankFile, 0,
            QStringLiteral("there is no question %1: the bank holds %2").arg(number).arg(count));

    // A record is about ten short lines; a small buffer keeps the fetch cheap.
    BankLines bank(game().BankFile, 4096);
    skipToRecord(bank, number);
    QuestionRecord record = readRecord(bank, number);
    questionText = std::move(record.questionText);
    answers = std::move(record.answers);
    kind = record.kind;
    rightAnswer = record.rightAnswer;
    extraAnswer = record.extraAnswer;
    extraText = std::move(record.extraText);
    clipName = std::move(record.clipName);
}

void IndexQuestionBank()
{
    // Index mode reads no other argument and leaves them as they are.
    int16_t mode = 1, number = 0, kind = 0, rightAnswer = 0, extraAnswer = 0;
    QString questionText, extraText, clipName;
    QStringList answers;
    ReadQuestion(mode, number, questionText, answers, kind, rightAnswer, extraAnswer, extraText, clipName);
}
