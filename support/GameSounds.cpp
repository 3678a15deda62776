#include "support/GameSounds.h"

#include "core/GameState.h"
#include "platform/Events.h"
#include "support/SoundSupport.h"

#include <QFileInfo>

void PlayIfSoundOn(const char* name, int16_t flags)
{
    if (!game().soundIsOn())
        return;
    const GameState& g = game();
    QString file = g.DataFolder + QLatin1String(name);
    if (!g.SoundFolder.isEmpty() && !QFileInfo::exists(file))
        file = g.SoundFolder + QLatin1String(name);
    int16_t result = 0;
    PlayWave(file, flags, result);
    if ((flags & PlayAndGoOn) == 0)
        platform::DropPendingInput();
}

void SilenceIfSoundOn() { PlayIfSoundOn("NULL.WAV", PlayAndGoOn | NoAlertSound); }
