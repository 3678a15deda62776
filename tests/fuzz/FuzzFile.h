#pragma once
// The game reads its banks and progress from files, so each fuzz input becomes a real file.
#include <QByteArray>
#include <QString>

// Writes the input to a file in a private temporary folder and returns its path.
QString writeFuzzFile(const char* name, const uint8_t* data, size_t size);
