// The sound generator: makes every sound of the game, writes them as Ogg Vorbis under the data
// folder with "Meadow/Sounds/GameSounds.xml" naming them, and the list of sounds for the docs.
//
// usage: meadow_synth <data folder> <sounds.md> [file name ...]
// With file names, only those sounds are written (for trying a recipe); the XML and the list are
// then left alone.

#include "tools/synth/Loudness.h"
#include "tools/synth/OggWriter.h"
#include "tools/synth/SoundBank.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <stdexcept>

using namespace Synth;

namespace {

// Every sound peaks at most here, leaving the decoder's ripple room below full scale.
constexpr double CEILING_DB = -3.0;

std::string xmlEscape(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '"')
            out += "&quot;";
        else
            out += c;
    }
    return out;
}

void writeText(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary);
    file << text;
    if (!file)
        throw std::runtime_error("cannot write " + path);
}

std::string format(const char* pattern, double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, pattern, value);
    return buffer;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: meadow_synth <data folder> <sounds.md> [file name ...]\n";
        return 2;
    }
    const std::string data = argv[1], docs = argv[2];
    std::set<std::string> only(argv + 3, argv + argc);
    try {
        std::ostringstream xml, list;
        xml << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
               "<!-- Made by tools/synth (tools/synth/regenerate.sh); do not edit by hand. -->\n"
               "<GameSounds>\n  <Sounds>\n";
        list << "# Sounds\n\n"
                "Every sound of \"Meadow/Sounds/GameSounds.xml\", made by `tools/synth` "
                "(`tools/synth/regenerate.sh` writes them again; the build never does). This list is written by the "
                "generator.\n\n"
                "All are Ogg Vorbis at 44100 Hz, effects in mono, music in stereo. Each is scaled to its loudness "
                "target (K-weighted, gated, as LUFS meters measure); no peak passes -3 dBFS: where the target would "
                "push one higher, a look-ahead limiter first takes up to 10 dB off the sharpest peaks, and what is "
                "still too high is scaled down, so short, sharp sounds measure somewhat quieter than their target. "
                "Effects aim at -14 LUFS, the frequent "
                "small sounds (matches, falls) at -17, interface ticks lower, music at -20 and the ambient bed at "
                "-34, well under the menu music it plays beneath. Loops repeat without a seam: music is 32 whole bars "
                "with the tails of the last notes folded "
                "onto the start, steady beds cross-fade their end into their start.\n\n"
                "## How they are made\n\n"
                "`meadow_synth` is our own small synthesiser (C++, libvorbisenc for the files):\n\n"
                "- instruments (`cInstruments`): a plucked string (Karplus-Strong with an all-pass for exact "
                "pitch), a marimba bar, a chime, struck metal from inharmonic partials, a pad of detuned saws, a "
                "round bass, a brass voice and a horn with opening filters, kick, shaker and snap, swept band-pass "
                "noise, knocks on resonant bodies, pitch glides, bird chirps, and animal voices: a glottal pulse "
                "through moving vowel formants with breath noise, vibrato and tremolo;\n"
                "- `cBiquad` filters, envelopes and `cSignal` mixing with equal-power panning;\n"
                "- `cSequencer`: tracks of notes on beats, rendered into a loop of whole bars;\n"
                "- `cMusic`: the two pieces, composed in C major pentatonic (a phrase generator walks the "
                "scale by small steps and lands on chord tones, in sections A A B A);\n"
                "- `cLoudness`: the loudness meter, a look-ahead peak limiter (at most 10 dB) and the scaling "
                "to each target;\n"
                "- `cSoundBank`: the recipe of every sound and the ids it serves.\n\n"
                "Matches climb C major pentatonic from G3 (\"match1\") to A6 (\"match17\"); \"match_add1\" to "
                "\"match_add5\" are chimes on C, E, G, A and C two octaves above. \"match\", \"match_add\", "
                "\"cat_voice\" and \"dog_voice\" name the first file of their series; the game plays "
                "\"cat_voice0\" to \"cat_voice2\" and \"dog_voice0\" to \"dog_voice2\" for the three "
                "variants of the cats and dogs factories. The board picks one of \"wood_cell_crash1\" to "
                "\"wood_cell_crash3\", \"iron_cell_crash1\" and \"iron_cell_crash2\", \"chain_crash1\" to "
                "\"chain_crash3\" at random; the results view plays \"line1\" to \"line4\" for its lines, one "
                "step higher each.\n\n"
                "## The sounds\n\n"
                "| file | ids | length (s) | channels | peak (dBFS) | loudness (LUFS) | sound |\n"
                "|---|---|---|---|---|---|---|\n";
        double totalSeconds = 0.0;
        for (const cSoundEntry& entry : cSoundBank::all()) {
            if (!only.empty() && !only.count(entry.file))
                continue;
            cSignal signal = entry.make();
            double loudness = cLoudness::normalise(signal, entry.loudness, CEILING_DB);
            double peak = 20.0 * std::log10(std::max(signal.getPeak(), 1e-9));
            bool music = signal.getChannels() == 2;
            cOggWriter::write(signal, data + "/Meadow/Sounds/" + entry.file, music ? 0.1 : 0.2);
            totalSeconds += signal.getSeconds();
            std::string ids;
            for (const std::string& id : entry.ids) {
                xml << "    <Sound id=\"" << xmlEscape(id) << "\" path=\"Meadow/Sounds/" << xmlEscape(entry.file)
                    << "\"/>\n";
                ids += (ids.empty() ? "" : ", ") + ("\"" + id + "\"");
            }
            list << "| " << entry.file << " | " << ids << " | " << format("%.2f", signal.getSeconds()) << " | "
                 << signal.getChannels() << " | " << format("%.1f", peak) << " | " << format("%.1f", loudness) << " | "
                 << entry.description << (entry.loop ? " (loop)" : "") << " |\n";
            std::cout << entry.file << ": " << format("%.2f", signal.getSeconds()) << " s, peak "
                      << format("%.1f", peak) << " dBFS, " << format("%.1f", loudness) << " LUFS (target "
                      << format("%.0f", entry.loudness) << ")\n";
        }
        xml << "  </Sounds>\n</GameSounds>\n";
        if (only.empty()) {
            writeText(data + "/Meadow/Sounds/GameSounds.xml", xml.str());
            writeText(docs, list.str());
        }
        std::cout << "total " << format("%.1f", totalSeconds) << " s\n";
    } catch (const std::exception& error) {
        std::cerr << "meadow_synth: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
