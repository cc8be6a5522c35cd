// pesko-listen: plays one of the game's sounds through Allegro's own mixer and software
// MIDI, as the game does, so that a capture of the sound output is what a player hears.
// Usage: pesko-listen PATCHES_DAT FILE SECONDS [VOLUME [PAN]]
//   FILE is a .wav (play_sample once) or a .mid (play_midi looping); VOLUME is the
//   sound and music volume (the game's default is 127), PAN the sample's pan (127).
// Needs DISPLAY (Allegro's timer needs the X system driver).
#include <allegro.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

int Play(const std::string& file, double seconds, int volume, int pan)
{
    if (EndsWith(file, ".mid")) {
        MIDI* tune = load_midi(file.c_str());
        if (!tune || play_midi(tune, TRUE) != 0)
            return 1;
        rest(int(seconds * 1000));
        stop_midi();
        destroy_midi(tune);
        return 0;
    }
    SAMPLE* sample = load_sample(file.c_str());
    if (!sample)
        return 1;
    play_sample(sample, volume, pan, 1000, 0);
    rest(int(seconds * 1000));
    destroy_sample(sample);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s PATCHES_DAT FILE SECONDS [VOLUME]\n", argv[0]);
        return 2;
    }
    if (allegro_init() != 0 || install_timer() != 0)
        return 1;
    set_config_string("sound", "patches", argv[1]);
    // The game's mixer (PrepareMixer): a voice at full volume reaches full scale,
    // interpolated mixing, full digital volume with each sample at the sound volume.
    set_volume_per_voice(0);
    set_config_int("sound", "quality", 2);
    if (install_sound(DIGI_AUTODETECT, MIDI_AUTODETECT, nullptr) != 0) {
        std::fprintf(stderr, "install_sound: %s\n", allegro_error);
        return 1;
    }
    int volume = argc > 4 ? std::atoi(argv[4]) : 127;
    set_volume(255, volume);
    int pan = argc > 5 ? std::atoi(argv[5]) : 127;
    int result = Play(argv[2], std::atof(argv[3]), volume, pan);
    if (result != 0)
        std::fprintf(stderr, "cannot play %s\n", argv[2]);
    remove_sound();
    allegro_exit();
    return result;
}
END_OF_MAIN()
