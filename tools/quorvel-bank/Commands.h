#pragma once
// The commands of quorvel-bank. Each takes its arguments (options removed) and returns
// the exit code: 0 fine, 1 problems found, 2 usage or I/O error.
#include <QStringList>
#include <optional>

namespace ExitCode {
constexpr int fine = 0;
constexpr int problems = 1;
constexpr int failure = 2;
}

int encodeCommand(const QStringList& args);
int decodeCommand(const QStringList& args);
int dumpCommand(const QStringList& args);
int checkCommand(const QStringList& args);
int importCommand(const QStringList& args);

// Messages for the author: stdout for results, stderr for errors.
void printOut(const QByteArray& bytes);
void printError(const QString& message);

// Takes every "OPTION VALUE" pair out of `args` and returns the values; nothing when the
// option stands last, without its value.
std::optional<QStringList> takeOptionValues(QStringList& args, const QString& option);

// Fails with a message naming the file when it cannot be opened for reading.
bool readable(const QString& path);
