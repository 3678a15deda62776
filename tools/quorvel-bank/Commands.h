#pragma once
// The commands of quorvel-bank. Each takes its operands (options removed) and the values of
// its value option, and returns the exit code: 0 fine, 1 problems found, 2 usage or I/O error.
#include <QStringList>

namespace ExitCode {
constexpr int fine = 0;
constexpr int problems = 1;
constexpr int failure = 2;
}

int encodeCommand(const QStringList& args, const QStringList& /*optionValues*/);
int decodeCommand(const QStringList& args, const QStringList& /*optionValues*/);
int dumpCommand(const QStringList& args, const QStringList& /*optionValues*/);
int checkCommand(const QStringList& args, const QStringList& screens);
int importCommand(const QStringList& args, const QStringList& /*optionValues*/);

// Messages for the author: stdout for results, stderr for errors.
void printOut(const QByteArray& bytes);
void printError(const QString& message);

// Fails with a message naming the file when it cannot be opened for reading.
bool readable(const QString& path);
