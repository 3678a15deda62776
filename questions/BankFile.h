#pragma once
// Opening and saving a whole bank for an author: a coded bank or a plain one, told apart by
// content; saves that replace the old file only once the new one reads back as written.
#include "questions/BankCheck.h"

#include <QString>

enum class BankFormat { Coded, Plain };

// Coded record lines hold mostly codes 126..254, plain ones the codes 33..125.
BankFormat bankFormat(const QString& path);

// Reads a coded or plain bank as the game will read it once coded. Never throws for damage
// inside the file (that is a finding); a file that cannot be opened throws RunTimeError.
BankFileReport openBank(const QString& path, BankFormat& format,
                        const std::function<void(int done, int total)>& progress = {});

// What keeps the game from playing the bank: no questions, more than it can count, a right
// answer that is not one of the question's filled answers.
QList<BankFinding> unplayable(const QuestionBank& bank);

// Writes the coded bank at `path`. Refuses an unplayable bank; reads the new bank back with the
// game's reader before it replaces the old file. Throws RunTimeError saying why, the old file
// then untouched.
void saveCodedBank(const QuestionBank& bank, const QString& path,
                   const std::function<void(int done, int total)>& progress = {});

// Writes the plain bank (what encode reads) at `path`, replacing it only when complete.
void savePlainBank(const QuestionBank& bank, const QString& path);
