// The soundtrack as notes: what plays when, written to the show's scene cuts.
#pragma once

#include <string>
#include <vector>

const double kBeatSeconds = 0.5;     // 120 beats per minute
const double kTrackSeconds = 231.0;  // the show ends at 229.5 s; the tail fades by then

// Each scene starts on a beat: 0, 6.5, 18.5, 35.5, 61.5, 94.5, 139.5, 184.5 s,
// and the show ends at 229.5 s.
const int kSceneCount = 8;
const int kCutBeats[kSceneCount + 1] = {0, 13, 37, 71, 123, 189, 279, 369, 459};

enum Instrument {
    kPad,
    kBass,
    kLead,
    kPluck,
    kArp,
    kBell,
    kKick,
    kSnare,
    kClap,
    kClosedHat,
    kOpenHat,
    kCrash,
    kTom,
    kRiser,
    kInstrumentCount
};

// One note: times in seconds, pitch as a MIDI number, velocity 0..1, tone
// 0..1 (filter brightness) at the start and at the end of the note.
struct NoteEvent {
    Instrument instrument;
    double start;
    double length;
    double pitch;
    float velocity;
    float tone;
    float toneEnd;
};

struct Score {
    std::vector<NoteEvent> notes;
};

// The whole arrangement, the same on every run.
Score composeSoundtrack();

// [SECTION] Writing helpers (Patterns.cpp) -----------------------------------

// A chord by name ("Am", "F", "E", "Dm", "Esus"): pitch classes, root first.
struct Chord {
    int root;      // pitch class, 0 = C
    int tones[3];  // pitch classes of root, third (or fourth) and fifth
};
Chord parseChord(const std::string& name);
// Space-separated chord names, one per bar.
std::vector<Chord> parseChords(const std::string& names);
// The tone of a chord nearest above `low` (inclusive), as a MIDI number.
int chordToneAbove(const Chord& chord, int index, int low);

// Melody text: "A4:4 C5:2 r:2 ..." notes with lengths in sixteenths, bars
// separated by '|' (ignored); appended from `startBeat`, transposed.
void addMelody(Score& score, Instrument instrument, double startBeat, const char* text, int transpose, float velocity,
               float tone);
// Drum steps, one character per sixteenth: 'x' full, 'o' medium, 'g' ghost,
// '.' rest; the pattern repeats for `steps` sixteenths from `startBeat`.
void addSteps(Score& score, Instrument instrument, double startBeat, const char* pattern, int steps, float velocity);
// A note at a beat position, lengths in beats.
void addNote(Score& score, Instrument instrument, double beat, double beats, double pitch, float velocity, float tone,
             float toneEnd);
