#include "tools/audio/Instrument.h"

#include "tools/audio/SourceText.h"

#include <cmath>

namespace AudioGen
{

double MidiToHz(double midi)
{
    return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0);
}

Instrument Instrument::Parse(const std::string& name, ParamList& p)
{
    Instrument in;
    in.name = name;
    std::string play = p.Text("play", "notes");
    if (play == "notes")
        in.play = Play::Notes;
    else if (play == "tones")
        in.play = Play::Tones;
    else if (play == "chords")
        in.play = Play::Chords;
    else
        throw SourceError(p.Where() + ": play must be notes, tones or chords");
    if (!ParseWaveform(p.Text("wave", "triangle"), in.wave))
        throw SourceError(p.Where() + ": unknown wave");
    if (!ParseFilterMode(p.Text("filter", "lowpass"), in.filterMode))
        throw SourceError(p.Where() + ": unknown filter");
    in.detuneCents = p.Number("detune", in.detuneCents);
    in.subLevel = p.Number("sub", in.subLevel);
    in.fmRatio = p.Number("fm", in.fmRatio);
    in.fmIndex = p.Number("fmindex", in.fmIndex);
    in.fmDecay = p.Number("fmdecay", in.fmDecay);
    in.envelope.attack = p.Number("attack", 0.005);
    in.envelope.decay = p.Number("decay", 0.3);
    in.envelope.sustain = p.Number("sustain", 0.6);
    in.envelope.release = p.Number("release", 0.15);
    in.cutoff = p.Number("cutoff", in.cutoff);
    in.envCutoff = p.Number("envcut", in.envCutoff);
    in.cutoffDecay = p.Number("cutdecay", in.cutoffDecay);
    in.resonance = p.Number("q", in.resonance);
    in.vibratoRate = p.Number("vibrato", in.vibratoRate);
    in.vibratoDepth = p.Number("vibdepth", in.vibratoDepth);
    in.vibratoDelay = p.Number("vibdelay", in.vibratoDelay);
    in.gain = p.Number("gain", in.gain);
    in.pan = p.Number("pan", in.pan);
    in.width = p.Number("width", in.width);
    in.reverbSend = p.Number("reverb", in.reverbSend);
    in.legato = p.Number("legato", in.legato);
    in.octave = static_cast<int>(p.Number("octave", in.octave));
    in.echoBeats = p.Number("echo", in.echoBeats);
    in.echoFeedback = p.Number("echofb", in.echoFeedback);
    in.echoLevel = p.Number("echolevel", in.echoLevel);
    p.Finish();
    return in;
}

void Instrument::RenderNote(double midi, std::size_t gateFrames, float velocity, std::uint32_t seed,
                            std::vector<float>& out) const
{
    std::vector<float> env;
    envelope.Render(gateFrames, env);
    const std::size_t n = env.size();
    out.assign(n, 0.0f);

    const double baseHz = MidiToHz(midi);
    Oscillator main(wave, seed * 2654435761u + 1u);
    Oscillator second(wave, seed * 40503u + 7u);
    second.SetPhase(static_cast<double>(seed % 97u) / 97.0);
    Oscillator sub(Waveform::Sine);
    const bool useSecond = detuneCents > 0.0;
    const bool useFm = fmRatio > 0.0 && fmIndex > 0.0;
    const double detuneFactor = std::pow(2.0, detuneCents / 1200.0);
    const float mainLevel = useSecond ? 0.6f : 1.0f;
    double carrierPhase = 0.0;
    double modulatorPhase = 0.0;
    const double fmFall = std::exp(-kSettle / (std::max(fmDecay, 0.001) * kSampleRate));
    double fmDepth = fmIndex;

    Filter filter(filterMode, cutoff, resonance);
    const double cutoffFall = std::exp(-kSettle * kControlFrames / (std::max(cutoffDecay, 0.001) * kSampleRate));
    double cutoffBoost = envCutoff;
    const double keyTrack = std::pow(2.0, (midi - 60.0) / 24.0); // brighter up high, like a real string

    double hz = baseHz;
    for (std::size_t i = 0; i < n; ++i)
    {
        if (i % kControlFrames == 0)
        {
            double t = static_cast<double>(i) / kSampleRate;
            hz = baseHz;
            if (vibratoRate > 0.0 && vibratoDepth > 0.0)
            {
                double ramp = vibratoDelay > 0.0 ? std::min(1.0, t / vibratoDelay) : 1.0;
                hz *= std::pow(2.0, ramp * vibratoDepth * Oscillator::Sine(vibratoRate * t) / 12.0);
            }
            main.SetFrequency(hz);
            second.SetFrequency(hz * detuneFactor);
            sub.SetFrequency(hz * 0.5);
            filter.Set((cutoff + cutoffBoost) * keyTrack, resonance);
            cutoffBoost *= cutoffFall;
        }
        float value;
        if (useFm)
        {
            float modulator = Oscillator::Sine(modulatorPhase);
            value = Oscillator::Sine(carrierPhase + fmDepth * modulator);
            carrierPhase += hz / kSampleRate;
            modulatorPhase += hz * fmRatio / kSampleRate;
            carrierPhase -= std::floor(carrierPhase);
            modulatorPhase -= std::floor(modulatorPhase);
            fmDepth *= fmFall;
        }
        else
        {
            value = main.Next() * mainLevel;
            if (useSecond)
            {
                value += second.Next() * 0.6f;
            }
        }
        if (subLevel > 0.0)
        {
            value += static_cast<float>(subLevel) * sub.Next();
        }
        out[i] = filter.Process(value) * env[i] * velocity;
    }
}

} // namespace AudioGen
