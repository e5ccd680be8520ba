// The arrangement: A minor, 120 bpm, one chord per bar, every scene cut on a
// beat (a two-beat fill bar where a cut falls mid-bar).
// [SECTION] Melodies and patterns
// [SECTION] Layers: pad, bass, arpeggio, drums, fills
// [SECTION] Sections, one per scene
#include <algorithm>

#include "Score.h"

// [SECTION] Melodies and patterns --------------------------------------------

namespace {

// The theme, over Am F C G Am F C G (lengths in sixteenths), in halves.
const char* kThemeOpen = "A4:4 C5:2 E5:6 D5:2 C5:2 | C5:6 A4:6 G4:2 A4:2 | G4:4 C5:2 E5:6 G5:2 E5:2 | D5:8 B4:4 G4:4";
const char* kThemeClose = "A4:4 C5:2 E5:6 D5:2 C5:2 | C5:6 A4:6 C5:2 D5:2 | E5:4 G5:4 E5:4 D5:2 C5:2 | D5:4 B4:12";
// Its livelier answer, an octave up in places.
const char* kThemeB =
    "A5:4 G5:2 E5:2 D5:2 E5:6 | C5:4 D5:2 E5:2 F5:4 E5:2 D5:2 | E5:4 G5:4 C6:4 G5:2 E5:2 |"
    "D5:6 B4:2 D5:4 G5:4 | A5:4 G5:2 E5:2 D5:2 E5:6 | C5:4 D5:2 E5:2 F5:4 A5:4 |"
    "G5:4 E5:4 C5:4 D5:2 E5:2 | D5:8 r:4 B4:2 D5:2";
// The city tune, over Dm G C Am Dm G C E.
const char* kCityTune =
    "F5:2 E5:2 D5:4 A4:4 D5:4 | B4:4 D5:4 G5:6 F5:2 | E5:6 D5:2 C5:4 G4:4 | A4:8 C5:4 E5:4 |"
    "F5:4 E5:2 D5:2 F5:4 A5:4 | G5:6 F5:2 D5:4 B4:4 | C5:4 E5:4 G5:4 E5:4 | E5:4 D5:2 B4:2 G#4:8";
// The slow bell tune of the credits, over F G Em Am F G Em Am.
const char* kRoomsTune =
    "A5:8 C6:4 A5:4 | B5:8 G5:4 D5:4 | E5:8 G5:4 B5:4 | A5:16 |"
    "C6:8 A5:4 F5:4 | D6:8 B5:4 G5:4 | B5:4 G5:4 E5:4 G5:4 | A5:16";
// The intro's hint of the theme, over Am F E.
const char* kIntroHint = "A4:4 C5:2 E5:10 | C5:8 A4:8 | B4:8 G#4:8";
// The closing cadence, over F G E E, then the tonic.
const char* kCadence = "C5:8 A4:8 | B4:8 D5:8 | E5:8 D5:4 B4:4 | G#4:16 | A4:24";

// Bass figures, one character per sixteenth: R root, O octave, F fifth,
// '-' holds the note before, '.' is silence.
const char* kBassSustain = "R---------------";
const char* kBassHalf = "R-------F-------";
const char* kBassEighths = "R-R-R-R-R-R-R-R-";
const char* kBassOctaves = "R-O-R-O-R-O-R-O-";
const char* kBassGallop = "R.RRR.RRR.RRO.RR";
const char* kBassGroove = "R--R--R-O--R--F-";

// Arpeggio: indices into the chord's tones from middle C upward.
const int kArpSteps[16] = {0, 1, 2, 4, 3, 2, 1, 2, 0, 1, 2, 4, 5, 4, 2, 1};

// Drum bars (sixteenths).
const char* kKickFour = "x...x...x...x...";
const char* kKickHalf = "x.........x.....";
const char* kKickRace = "x...x...x...x.o.";
const char* kKickOneThree = "x.......x.......";
const char* kBackbeat = "....x.......x...";
const char* kSnareRace = "....x..g....x.g.";
const char* kSnareHalf = "........x.......";
const char* kHatOffbeat = "..x...x...x...x.";
const char* kHatEighths = "x.o.x.o.x.o.x.o.";
const char* kHatSixteenths = "xgogxgogxgogxgog";
const char* kHatGroove = "g.x.g.x.g.x.g.xg";

// [SECTION] Layers: pad, bass, arpeggio, drums, fills ------------------------

// The whole theme, eight bars from `beat`.
void theme(Score& score, Instrument instrument, double beat, int transpose, float velocity, float tone) {
    addMelody(score, instrument, beat, kThemeOpen, transpose, velocity, tone);
    addMelody(score, instrument, beat + 16.0, kThemeClose, transpose, velocity, tone);
}

// A stretch of bars: chords one per bar; the last bar may be short.
struct Stretch {
    double beat;                // first beat
    std::vector<Chord> chords;  // one per bar
    double lastBarBeats;        // length of the last bar in beats
    double beatsOf(size_t bar) const { return bar + 1 == chords.size() ? lastBarBeats : 4.0; }
    double beatOf(size_t bar) const { return beat + 4.0 * bar; }
    double beats() const { return 4.0 * (chords.size() - 1) + lastBarBeats; }
};

// Bars from a beat with chords by name, e.g. stretch(37, "Am F C G").
Stretch stretch(double beat, const char* chords, double lastBarBeats = 4.0) {
    return Stretch{beat, parseChords(chords), lastBarBeats};
}

// Linear ramp from a to b over the stretch, at a beat.
float rampAt(const Stretch& s, double beat, float a, float b) {
    double x = (beat - s.beat) / s.beats();
    return (float)(a + (b - a) * x);
}

// Close-voiced triad from G3 with the root below it: voice leading comes
// from keeping every tone in the same octave window.
void pad(Score& score, const Stretch& s, float velocity, float toneFrom, float toneTo) {
    for (size_t bar = 0; bar < s.chords.size(); ++bar) {
        const Chord& c = s.chords[bar];
        double beat = s.beatOf(bar), beats = s.beatsOf(bar);
        float t0 = rampAt(s, beat, toneFrom, toneTo), t1 = rampAt(s, beat + beats, toneFrom, toneTo);
        addNote(score, kPad, beat, beats, chordToneAbove(c, 0, 45), velocity, t0, t1);
        for (int k = 0; k < 3; ++k) addNote(score, kPad, beat, beats, chordToneAbove(c, k, 55), velocity, t0, t1);
    }
}

// The bass figure on each bar's root, from A1 up to G#2.
void bass(Score& score, const Stretch& s, const char* figure, float toneFrom, float toneTo) {
    for (size_t bar = 0; bar < s.chords.size(); ++bar) {
        int root = chordToneAbove(s.chords[bar], 0, 33);
        int steps = (int)(s.beatsOf(bar) * 4.0);
        for (int i = 0; i < steps; ++i) {
            char c = figure[i % 16];
            if (c != 'R' && c != 'O' && c != 'F') continue;
            int held = 1;
            while (i + held < steps && figure[(i + held) % 16] == '-') ++held;
            int pitch = root + (c == 'O' ? 12 : c == 'F' ? 7 : 0);
            double beat = s.beatOf(bar) + i / 4.0;
            float tone = rampAt(s, beat, toneFrom, toneTo);
            // Short notes are detached; long ones join up with the next.
            double beats = held >= 4 ? held / 4.0 - 0.05 : held / 4.0 * 0.85;
            addNote(score, kBass, beat, beats, pitch, 1.0f, tone, tone);
        }
    }
}

// Sixteenths over six chord tones from middle C, first of each beat accented.
void arpeggio(Score& score, const Stretch& s, float velocity, float toneFrom, float toneTo) {
    for (size_t bar = 0; bar < s.chords.size(); ++bar) {
        const Chord& c = s.chords[bar];
        int tones[6];
        tones[0] = chordToneAbove(c, 0, 60);
        for (int k = 1; k < 6; ++k) {
            int low = tones[k - 1] + 1;
            int best = chordToneAbove(c, 0, low);
            for (int j = 1; j < 3; ++j) best = std::min(best, chordToneAbove(c, j, low));
            tones[k] = best;
        }
        int steps = (int)(s.beatsOf(bar) * 4.0);
        for (int i = 0; i < steps; ++i) {
            double beat = s.beatOf(bar) + i / 4.0;
            float tone = rampAt(s, beat, toneFrom, toneTo);
            float accent = i % 4 == 0 ? 1.0f : 0.75f;
            addNote(score, kArp, beat, 0.2, tones[kArpSteps[i]], velocity * accent, tone, tone);
        }
    }
}

// One drum's bar pattern over the whole stretch.
void drums(Score& score, Instrument instrument, const Stretch& s, const char* bar, float velocity) {
    addSteps(score, instrument, s.beat, bar, (int)(s.beats() * 4.0), velocity);
}

// Snare sixteenths growing louder, toms falling under the last of them.
void fill(Score& score, double beat, double beats) {
    int steps = (int)(beats * 4.0);
    for (int i = 0; i < steps; ++i) {
        float x = (float)(i + 1) / steps;
        if (i < steps / 2)
            addNote(score, kSnare, beat + i / 4.0, 0.25, 0.0, 0.35f + 0.55f * x, 0.5f, 0.5f);
        else
            addNote(score, kTom, beat + i / 4.0, 0.25, 52 - 3 * (i - steps / 2), 0.6f + 0.4f * x, 0.5f, 0.5f);
    }
}

// Eighths then sixteenths over `beats`, from quiet to loud.
void snareRoll(Score& score, double beat, double beats) {
    double half = beats / 2.0;
    for (double b = 0.0; b < beats - 1e-9; b += b < half ? 0.5 : 0.25) {
        float x = (float)(b / beats);
        addNote(score, kSnare, beat + b, 0.25, 0.0, 0.25f + 0.75f * x * x, 0.5f, 0.5f);
    }
}

// A crash cymbal marks each new scene.
void crash(Score& score, double beat, float velocity) { addNote(score, kCrash, beat, 4.0, 0.0, velocity, 0.5f, 0.5f); }

// A noise sweep that lands on `toBeat`.
void riser(Score& score, double fromBeat, double toBeat, float velocity) {
    addNote(score, kRiser, fromBeat, toBeat - fromBeat, 0.0, velocity, 0.5f, 0.5f);
}

// [SECTION] Sections, one per scene ------------------------------------------

// Scene 1 (0 - 6.5 s): the pad opens, a bell hints at the theme, a riser.
void intro(Score& score) {
    Stretch s = stretch(kCutBeats[0], "Am F E E", 1.0);
    pad(score, s, 0.75f, 0.05f, 0.45f);
    bass(score, s, kBassSustain, 0.15f, 0.25f);
    addMelody(score, kBell, s.beat, kIntroHint, 12, 0.8f, 0.5f);
    riser(score, 7.0, kCutBeats[1], 0.8f);
    addSteps(score, kSnare, 12.0, "goox", 4, 0.9f);
}

// Scene 2 (6.5 - 18.5 s): four on the floor, the arpeggio and bass open up.
void buildUp(Score& score) {
    Stretch s = stretch(kCutBeats[1], "Am F C G F G");
    crash(score, s.beat, 0.8f);
    pad(score, s, 0.8f, 0.3f, 0.55f);
    bass(score, s, kBassEighths, 0.15f, 0.6f);
    arpeggio(score, s, 0.8f, 0.15f, 0.7f);
    drums(score, kKick, s, kKickFour, 0.9f);
    drums(score, kClosedHat, stretch(s.beat + 8.0, "Am Am Am Am"), kHatOffbeat, 0.8f);
    snareRoll(score, s.beat + 20.0, 4.0);
    riser(score, s.beat + 16.0, kCutBeats[2], 0.9f);
}

// The theme with the full band; `withBell` adds open hats and a bell an octave up.
void themeA(Score& score, double beat, bool withBell) {
    Stretch s = stretch(beat, "Am F C G Am F C G");
    pad(score, s, 0.85f, 0.5f, 0.55f);
    bass(score, s, kBassOctaves, 0.5f, 0.6f);
    arpeggio(score, s, 0.5f, 0.5f, 0.55f);
    drums(score, kKick, s, kKickFour, 1.0f);
    drums(score, kSnare, s, kBackbeat, 0.9f);
    drums(score, kClosedHat, s, kHatEighths, 0.8f);
    theme(score, kLead, beat, 0, 0.95f, 0.55f);
    if (withBell) {
        drums(score, kOpenHat, s, kHatOffbeat, 0.6f);
        theme(score, kBell, beat, 12, 0.5f, 0.5f);
    }
}

// Two beats on the dominant with a drum fill, landing on the next cut.
void fillBar(Score& score, double beat) {
    Stretch s = stretch(beat, "E", 2.0);
    pad(score, s, 0.85f, 0.6f, 0.6f);
    bass(score, s, kBassEighths, 0.6f, 0.6f);
    fill(score, beat, 2.0);
}

// Scene 3 (18.5 - 35.5 s): the theme enters with the title.
void titleTheme(Score& score) {
    crash(score, kCutBeats[2], 1.0f);
    themeA(score, kCutBeats[2], false);
    fillBar(score, kCutBeats[2] + 32.0);
}

// The racing variation: sixteenth hats, galloping bass, the answer tune.
void themeB(Score& score, double beat, const char* chords) {
    Stretch s = stretch(beat, chords);
    pad(score, s, 0.8f, 0.6f, 0.65f);
    bass(score, s, kBassGallop, 0.6f, 0.7f);
    arpeggio(score, s, 0.55f, 0.6f, 0.7f);
    drums(score, kKick, s, kKickRace, 1.0f);
    drums(score, kSnare, s, kSnareRace, 0.9f);
    drums(score, kClap, s, kBackbeat, 0.7f);
    drums(score, kClosedHat, s, kHatSixteenths, 0.8f);
}

// Scene 4 (35.5 - 61.5 s): the race.
void race(Score& score) {
    double beat = kCutBeats[3];
    crash(score, beat, 1.0f);
    themeB(score, beat, "Am F C G Am F C G Am F C G");
    addMelody(score, kLead, beat, kThemeB, 0, 0.95f, 0.65f);
    addMelody(score, kLead, beat + 32.0, kThemeOpen, 0, 0.9f, 0.7f);
    Stretch turn = stretch(beat + 48.0, "E");
    pad(score, turn, 0.9f, 0.65f, 0.7f);
    bass(score, turn, kBassEighths, 0.7f, 0.8f);
    drums(score, kKick, turn, kKickFour, 1.0f);
    snareRoll(score, turn.beat, 4.0);
    riser(score, beat + 44.0, kCutBeats[4], 0.8f);
    addMelody(score, kLead, turn.beat, "E5:4 G#5:4 B5:8", 0, 0.9f, 0.65f);
}

// The city groove: syncopated bass, claps, the pluck tune.
void cityGroove(Score& score, double beat, int repeats, bool arp) {
    for (int r = 0; r < repeats; ++r) {
        Stretch s = stretch(beat + 32.0 * r, "Dm G C Am Dm G C E");
        pad(score, s, 0.8f, 0.45f, 0.5f);
        bass(score, s, kBassGroove, 0.5f, 0.55f);
        if (arp || r > 0) arpeggio(score, s, 0.4f, 0.4f, 0.5f);
        drums(score, kKick, s, kKickFour, 1.0f);
        drums(score, kSnare, s, kBackbeat, 0.7f);
        drums(score, kClap, s, kBackbeat, 0.9f);
        drums(score, kClosedHat, s, kHatGroove, 0.85f);
        addMelody(score, kPluck, s.beat, kCityTune, 0, 0.9f, 0.6f);
        if (r > 0) addMelody(score, kBell, s.beat, kCityTune, 12, 0.45f, 0.5f);
    }
}

// Scene 5 (61.5 - 94.5 s): the city.
void city(Score& score) {
    crash(score, kCutBeats[4], 0.9f);
    cityGroove(score, kCutBeats[4], 2, false);
    fillBar(score, kCutBeats[4] + 64.0);
}

// Scene 6 (94.5 - 139.5 s): the credits; a breakdown that builds back up.
void credits(Score& score) {
    double beat = kCutBeats[5];
    crash(score, beat, 0.6f);
    Stretch calm = stretch(beat, "F G Em Am F G Em Am");
    pad(score, calm, 0.8f, 0.25f, 0.35f);
    bass(score, calm, kBassSustain, 0.2f, 0.25f);
    addMelody(score, kBell, beat, kRoomsTune, 0, 0.9f, 0.5f);
    drums(score, kClosedHat, stretch(beat + 16.0, "Am Am Am Am"), kHatEighths, 0.5f);

    Stretch half = stretch(beat + 32.0, "F G Em Am F G Em Am");
    pad(score, half, 0.9f, 0.35f, 0.45f);
    bass(score, half, kBassHalf, 0.3f, 0.4f);
    arpeggio(score, half, 0.35f, 0.3f, 0.45f);
    drums(score, kKick, half, kKickHalf, 0.9f);
    drums(score, kSnare, half, kSnareHalf, 0.8f);
    drums(score, kClosedHat, half, kHatEighths, 0.6f);
    addMelody(score, kLead, half.beat, kRoomsTune, -12, 0.8f, 0.4f);
    addMelody(score, kBell, half.beat, kRoomsTune, 0, 0.45f, 0.5f);

    Stretch rise = stretch(beat + 64.0, "Am F C G F G");
    pad(score, rise, 0.85f, 0.4f, 0.65f);
    bass(score, rise, kBassEighths, 0.3f, 0.7f);
    arpeggio(score, rise, 0.55f, 0.35f, 0.75f);
    drums(score, kKick, rise, kKickFour, 0.95f);
    drums(score, kClosedHat, rise, kHatOffbeat, 0.75f);
    addMelody(score, kBell, rise.beat, kThemeOpen, 12, 0.7f, 0.5f);
    snareRoll(score, beat + 80.0, 8.0);
    riser(score, beat + 76.0, kCutBeats[6], 0.9f);
    fillBar(score, beat + 88.0);
}

// Scene 7 (139.5 - 184.5 s): the title returns, and the theme with it.
void titleReturns(Score& score) {
    double beat = kCutBeats[6];
    crash(score, beat, 1.0f);
    themeA(score, beat, true);
    crash(score, beat + 32.0, 0.8f);
    themeB(score, beat + 32.0, "Am F C G Am F C G");
    addMelody(score, kLead, beat + 32.0, kThemeB, 0, 0.95f, 0.7f);
    Stretch bridge = stretch(beat + 64.0, "Dm G C Am F G");
    pad(score, bridge, 0.85f, 0.5f, 0.65f);
    bass(score, bridge, kBassGroove, 0.5f, 0.65f);
    arpeggio(score, bridge, 0.45f, 0.5f, 0.65f);
    drums(score, kKick, bridge, kKickFour, 1.0f);
    drums(score, kClap, bridge, kBackbeat, 0.9f);
    drums(score, kClosedHat, bridge, kHatGroove, 0.85f);
    addMelody(score, kPluck, bridge.beat,
              "F5:2 E5:2 D5:4 A4:4 D5:4 | B4:4 D5:4 G5:6 F5:2 | E5:6 D5:2 C5:4 G4:4 |"
              "A4:8 C5:4 E5:4 | A5:16 | B5:8 D6:8",
              0, 0.9f, 0.65f);
    riser(score, beat + 80.0, kCutBeats[7], 0.8f);
    fillBar(score, beat + 88.0);
}

// Scene 8 (184.5 - 229.5 s): the last statement, a thinning out, the
// cadence and the final chord, which rings out by 229.5 s.
void finale(Score& score) {
    double beat = kCutBeats[7];
    crash(score, beat, 1.0f);
    themeA(score, beat, true);
    theme(score, kPluck, beat, -12, 0.5f, 0.5f);

    Stretch thin = stretch(beat + 32.0, "Am F C G Am F C G");
    pad(score, thin, 0.85f, 0.5f, 0.3f);
    bass(score, thin, kBassHalf, 0.4f, 0.3f);
    arpeggio(score, thin, 0.4f, 0.45f, 0.2f);
    drums(score, kKick, thin, kKickFour, 0.85f);
    drums(score, kClosedHat, thin, kHatOffbeat, 0.6f);
    drums(score, kSnare, stretch(beat + 48.0, "Am Am Am Am"), kSnareHalf, 0.6f);
    theme(score, kBell, thin.beat, 12, 0.8f, 0.5f);

    Stretch cadence = stretch(beat + 64.0, "F G E E");
    pad(score, cadence, 0.9f, 0.35f, 0.6f);
    bass(score, cadence, kBassOctaves, 0.4f, 0.6f);
    drums(score, kKick, cadence, kKickOneThree, 0.9f);
    drums(score, kClosedHat, cadence, kHatEighths, 0.6f);
    snareRoll(score, beat + 76.0, 4.0);
    riser(score, beat + 72.0, beat + 80.0, 0.7f);
    addMelody(score, kLead, cadence.beat, kCadence, 0, 0.9f, 0.55f);

    // The last chord: 224.5 s, held four seconds, closing its filter.
    double last = beat + 80.0;
    crash(score, last, 1.0f);
    addNote(score, kKick, last, 1.0, 0.0, 1.0f, 0.5f, 0.5f);
    Stretch end = stretch(last, "Am", 8.0);
    pad(score, end, 1.0f, 0.6f, 0.05f);
    addNote(score, kPad, last, 8.0, 69, 0.8f, 0.6f, 0.05f);
    addNote(score, kBass, last, 7.0, 33, 1.0f, 0.4f, 0.4f);
    addNote(score, kBell, last, 6.0, 81, 0.7f, 0.5f, 0.5f);
}

}  // namespace

Score composeSoundtrack() {
    Score score;
    intro(score);
    buildUp(score);
    titleTheme(score);
    race(score);
    city(score);
    credits(score);
    titleReturns(score);
    finale(score);
    return score;
}
