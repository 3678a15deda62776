#include "support/SoundSupport.h"

#include "core/Numbers.h"
#include "platform/Sound.h"

void PlayWave(QString& file, int16_t& flags, int16_t& result)
{
    // The flags widen with their sign, as a 16-bit value passed to a 32-bit parameter does.
    const auto wideFlags = static_cast<uint32_t>(static_cast<int32_t>(flags));
    result = toInt16(platform::sndPlaySound(file, wideFlags));
}

void HasSoundCard(int16_t& flag)
{
    flag = 0;
    if (platform::waveOutGetNumDevs() > 0)
        flag = 1;
}
