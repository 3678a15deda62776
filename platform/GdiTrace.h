#pragma once
// How the drawing calls write themselves into an attached call recorder:
// "Name(argument, ...) -> result", handles by their names in the record.
#include "platform/CallRecorder.h"
#include "platform/Gdi.h"

#include <QStringList>

namespace platform::trace {

QString colorText(COLORREF color);
QString ropName(uint32_t rop);
inline QString h(HANDLE handle) { return CallRecorder::handleName(handle); }
inline QString n(int64_t value) { return QString::number(value); }

QString entry(const char* name, const QStringList& arguments, HANDLE result);

// Records one call while a recorder is attached; the arguments are only formatted then.
template <typename Arguments>
void record(const char* name, Arguments arguments, HANDLE result = 0)
{
    CallRecorder::record([&] { return entry(name, arguments(), result); });
}

} // namespace platform::trace
