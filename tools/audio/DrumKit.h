// A small synthesised drum kit: each piece is rendered once per song as a
// mono one-shot and then mixed in at every hit.
//
// Pieces: kick (pitch-swept sine with a click), snare (tone and filtered
// noise), hat (short high noise), open hat, clap (three quick noise bursts
// and a tail), tom (swept sine), shaker (soft band of noise) and rim (a short
// woody knock). `pitch` scales the tuned pieces, `decay` their lengths,
// `tone` the brightness of the noisy ones.
#pragma once

#include "tools/audio/StereoBuffer.h"

#include <array>
#include <string_view>
#include <vector>

namespace AudioGen
{

class ParamList;

class DrumKit
{
public:
    enum Piece
    {
        Kick,
        Snare,
        Hat,
        OpenHat,
        Clap,
        Tom,
        Shaker,
        Rim,
        PieceCount
    };

    struct Settings
    {
        double pitch = 1.0;
        double decay = 1.0;
        double tone = 1.0;
        std::array<double, PieceCount> level{0.9, 0.6, 0.25, 0.22, 0.5, 0.5, 0.2, 0.35};
        std::array<double, PieceCount> pan{0.0, 0.05, 0.3, 0.3, -0.1, -0.25, -0.35, 0.2};
        double reverbSend = 0.15;
    };

    // Reads a "drums" line; throws SourceError.
    static Settings Parse(ParamList& params);

    // The line keyword of a piece ("kick", "snare", "hat", "open", "clap",
    // "tom", "shaker", "rim"); false when `name` is none of them.
    static bool PieceByName(std::string_view name, Piece& piece);

    explicit DrumKit(const Settings& settings);

    const std::vector<float>& Sample(Piece piece) const { return samples[piece]; }
    const Settings& GetSettings() const { return settings; }

private:
    Settings settings;
    std::array<std::vector<float>, PieceCount> samples;
};

} // namespace AudioGen
