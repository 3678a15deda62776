#pragma once
// The game's command line: --help, and --data DIR to play a bank folder other than the
// game's own (a quiz author trying a bank). Read before anything starts, so that a refused
// folder leaves nothing written.
#include <QString>
#include <optional>

struct CommandLine {
    QString bankFolder;  // --data DIR as given; empty for the game's own bank

    // The lock that keeps two copies off one progress file: the game's own, or one a bank.
    QString lockPath() const;
};

// Reads the arguments; an argument it does not know is left to Qt. Returns the exit status when
// the run ends here: 0 after printing the help, 2 after an error naming the folder or bank.
std::optional<int> readCommandLine(int argc, char** argv, CommandLine& line);
