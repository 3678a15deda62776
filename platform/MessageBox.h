#pragma once
// The message box of the game's few messages to the player.
#include <QString>
#include <cstdint>
#include <functional>

constexpr int32_t vbOKOnly = 0;
constexpr int32_t vbCritical = 16;     // the critical-stop icon
constexpr int32_t vbQuestion = 32;
constexpr int32_t vbExclamation = 48;
constexpr int32_t vbInformation = 64;
constexpr int32_t vbOK = 1;            // the answer of an OK-only box

// Shows a modal box with the text, the icon the style names and one OK button; returns vbOK.
int32_t MsgBox(const QString& text, int32_t style, const QString& title);

// Test seam: while set, MsgBox hands its arguments to the hook instead of showing a box.
using MsgBoxHook = std::function<void(const QString& text, int32_t style, const QString& title)>;
void setMsgBoxHook(MsgBoxHook hook);
