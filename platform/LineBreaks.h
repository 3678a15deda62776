#pragma once
// Texts of the game built with carriage returns alone (code 13) break their lines there, as the
// original platform showed them; Qt breaks lines only at line feeds.
#include <QString>

// Every carriage return, bare or followed by a line feed, becomes one line feed.
QString shownLineBreaks(const QString& text);
