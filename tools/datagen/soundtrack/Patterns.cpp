#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "Score.h"

namespace {

const int kLetterClass[7] = {9, 11, 0, 2, 4, 5, 7};  // A..G as pitch classes

// Pitch class of a note letter with its accidentals; advances `text`.
int readPitchClass(const char*& text) {
    if (*text < 'A' || *text > 'G') {
        fprintf(stderr, "soundtrack: bad note letter in \"%s\"\n", text);
        exit(1);
    }
    int pc = kLetterClass[*text - 'A'];
    ++text;
    for (; *text == '#' || *text == 'b'; ++text) pc += *text == '#' ? 1 : -1;
    return (pc + 12) % 12;
}

}  // namespace

Chord parseChord(const std::string& name) {
    const char* text = name.c_str();
    Chord chord{};
    chord.root = readPitchClass(text);
    int third = 4;
    if (strncmp(text, "sus", 3) == 0)
        third = 5;
    else if (*text == 'm')
        third = 3;
    chord.tones[0] = chord.root;
    chord.tones[1] = (chord.root + third) % 12;
    chord.tones[2] = (chord.root + 7) % 12;
    return chord;
}

std::vector<Chord> parseChords(const std::string& names) {
    std::vector<Chord> chords;
    size_t pos = 0;
    while (pos < names.size()) {
        size_t end = names.find(' ', pos);
        if (end == std::string::npos) end = names.size();
        if (end > pos) chords.push_back(parseChord(names.substr(pos, end - pos)));
        pos = end + 1;
    }
    return chords;
}

int chordToneAbove(const Chord& chord, int index, int low) {
    int pc = chord.tones[index % 3];
    int note = low + ((pc - low % 12) + 12) % 12;
    return note;
}

void addNote(Score& score, Instrument instrument, double beat, double beats, double pitch, float velocity, float tone,
             float toneEnd) {
    score.notes.push_back(
        NoteEvent{instrument, beat * kBeatSeconds, beats * kBeatSeconds, pitch, velocity, tone, toneEnd});
}

void addMelody(Score& score, Instrument instrument, double startBeat, const char* text, int transpose, float velocity,
               float tone) {
    double step = startBeat * 4.0;  // in sixteenths
    while (*text) {
        if (*text == ' ' || *text == '|') {
            ++text;
            continue;
        }
        bool rest = *text == 'r';
        int pitch = 0;
        if (rest) {
            ++text;
        } else {
            int pc = readPitchClass(text);
            int octave = (int)strtol(text, const_cast<char**>(&text), 10);
            pitch = 12 * (octave + 1) + pc + transpose;
        }
        if (*text != ':') {
            fprintf(stderr, "soundtrack: missing length in melody near \"%s\"\n", text);
            exit(1);
        }
        ++text;
        int steps = (int)strtol(text, const_cast<char**>(&text), 10);
        if (!rest) addNote(score, instrument, step / 4.0, steps / 4.0, pitch, velocity, tone, tone);
        step += steps;
    }
}

void addSteps(Score& score, Instrument instrument, double startBeat, const char* pattern, int steps, float velocity) {
    size_t length = strlen(pattern);
    for (int i = 0; i < steps && length > 0; ++i) {
        char c = pattern[i % length];
        float level = c == 'x' ? 1.0f : c == 'o' ? 0.65f : c == 'g' ? 0.3f : 0.0f;
        // Hats vary a little from hit to hit, as a drummer's would.
        bool hat = instrument == kClosedHat || instrument == kOpenHat;
        if (hat) level *= 0.9f + 0.1f * (float)((i * 7919 + (int)startBeat * 31) % 17) / 16.0f;
        if (level > 0.0f) addNote(score, instrument, startBeat + i / 4.0, 0.25, 0.0, velocity * level, 0.5f, 0.5f);
    }
}
