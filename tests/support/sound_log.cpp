#include "support/sound_log.h"

static std::vector<PlayedSound> s_Events;

static void Record(SoundEvent event, int a, int b)
{
    s_Events.push_back({event, a, b});
}

SoundLog::SoundLog()
{
    s_Events.clear();
    g_SoundObserver = Record;
}

SoundLog::~SoundLog()
{
    g_SoundObserver = nullptr;
}

const std::vector<PlayedSound>& SoundLog::Events() const
{
    return s_Events;
}

std::vector<int> SoundLog::Samples() const
{
    std::vector<int> samples;
    for (const PlayedSound& e : s_Events)
        if (e.event == SoundEvent::Sample)
            samples.push_back(e.a);
    return samples;
}

int SoundLog::Count(SoundEvent event) const
{
    int n = 0;
    for (const PlayedSound& e : s_Events)
        n += e.event == event;
    return n;
}

void SoundLog::Clear()
{
    s_Events.clear();
}
