#include "tools/audio/EffectBank.h"

#include "tools/audio/Instrument.h"
#include "tools/audio/Mastering.h"
#include "tools/audio/NoiseSource.h"
#include "tools/audio/Reverb.h"
#include "tools/audio/Song.h"
#include "tools/audio/SourceText.h"

#include <algorithm>
#include <cmath>

namespace AudioGen
{

namespace
{

constexpr double kRoomTail = 0.6; // seconds rendered after the last voice when there is reverb
constexpr std::size_t kLeadIn = 256; // frames, one short Vorbis block

double ParseFrequency(const std::string& text, const std::string& where)
{
    int midi = 0;
    if (ParseNoteName(text, midi))
    {
        return MidiToHz(midi);
    }
    return ParseNumber(text, where);
}

std::vector<std::string> SplitCommas(const std::string& text)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;)
    {
        std::size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos)
            return parts;
        start = comma + 1;
    }
}

std::vector<EffectVoice> ParseVoice(ParamList& p, std::uint32_t seed)
{
    EffectVoice v;
    const std::string& at = p.Where();
    if (!ParseWaveform(p.Text("wave", "sine"), v.wave))
        throw SourceError(at + ": unknown wave");
    v.frequency = ParseFrequency(p.Text("freq", "440"), at);
    if (p.Has("to"))
        v.frequencyTo = ParseFrequency(p.Text("to", "0"), at);
    v.sweep = p.Number("sweep", 0.0);
    v.start = p.Number("start", 0.0);
    v.length = p.Number("length", 0.0);
    v.envelope.attack = p.Number("attack", 0.002);
    v.envelope.decay = p.Number("decay", 0.2);
    v.envelope.sustain = p.Number("sustain", 0.0);
    v.envelope.release = p.Number("release", 0.02);
    if (p.Has("filter"))
    {
        v.filtered = true;
        if (!ParseFilterMode(p.Text("filter", ""), v.filterMode))
            throw SourceError(at + ": unknown filter");
    }
    v.cutoff = p.Number("cutoff", v.cutoff);
    v.cutoffTo = p.Number("cutoffto", v.cutoffTo);
    v.resonance = p.Number("q", v.resonance);
    v.wobbleRate = p.Number("wobble", 0.0);
    v.wobbleDepth = p.Number("wobbledepth", 1.0);
    v.vibratoRate = p.Number("vibrato", 0.0);
    v.vibratoDepth = p.Number("vibdepth", 0.0);
    v.tremoloRate = p.Number("tremolo", 0.0);
    v.tremoloDepth = p.Number("tremdepth", 0.0);
    v.tremoloPhase = p.Number("tremphase", 0.0);
    v.grainRate = p.Number("grain", 0.0);
    v.grainDepth = p.Number("graindepth", 0.8);
    v.fmRatio = p.Number("fm", 0.0);
    v.fmIndex = p.Number("fmindex", 0.0);
    v.fmDecay = p.Number("fmdecay", v.fmDecay);
    v.gain = p.Number("gain", 1.0);
    v.pan = p.Number("pan", 0.0);
    v.seed = static_cast<std::uint32_t>(p.Number("seed", seed));
    const double step = p.Number("step", 0.1);
    const double spread = p.Number("spread", 0.0); // pan moves this far per note
    std::string notes = p.Text("notes", "");
    p.Finish();

    if (notes.empty())
        return {v};
    std::vector<EffectVoice> run;
    const double sweepRatio = v.frequencyTo > 0.0 ? v.frequencyTo / v.frequency : 0.0;
    int index = 0;
    for (const std::string& note : SplitCommas(notes))
    {
        EffectVoice one = v;
        one.frequency = ParseFrequency(note, at);
        one.frequencyTo = sweepRatio > 0.0 ? one.frequency * sweepRatio : 0.0;
        one.start = v.start + step * index;
        one.pan = std::clamp(v.pan + spread * index, -1.0, 1.0);
        one.seed = v.seed + static_cast<std::uint32_t>(index) * 31u;
        run.push_back(one);
        ++index;
    }
    return run;
}

void RenderVoice(const EffectVoice& v, StereoBuffer& out)
{
    std::vector<float> env;
    const double gateSeconds = v.length > 0.0 ? v.length : v.envelope.attack + v.envelope.decay;
    v.envelope.Render(SecondsToFrames(gateSeconds), env);
    const std::size_t n = env.size();
    const std::size_t at = SecondsToFrames(v.start);
    if (at >= out.Frames())
        return;

    Oscillator osc(v.wave, v.seed);
    Filter filter(v.filterMode, v.cutoff, v.resonance);
    NoiseSource grainNoise(v.seed * 977u + 3u);
    const double sweepSeconds = v.sweep > 0.0 ? v.sweep : static_cast<double>(n) / kSampleRate;
    const bool sweeping = v.frequencyTo > 0.0;
    const double sweepOctaves = sweeping ? std::log2(v.frequencyTo / v.frequency) : 0.0;
    const double cutoffOctaves = v.cutoffTo > 0.0 ? std::log2(v.cutoffTo / v.cutoff) : 0.0;
    const std::size_t grainFrames =
        v.grainRate > 0.0 ? std::max<std::size_t>(1, SecondsToFrames(1.0 / v.grainRate)) : 0;
    double grainFrom = 1.0, grainTo = 1.0;
    double hz = v.frequency;
    double carrier = 0.0, modulator = 0.0, fmDepth = v.fmIndex;
    const double fmFall = std::exp(-4.6 / (std::max(v.fmDecay, 0.001) * kSampleRate));

    double angle = (std::clamp(v.pan, -1.0, 1.0) + 1.0) * M_PI / 4.0;
    const float left = static_cast<float>(v.gain * std::cos(angle) * M_SQRT2);
    const float right = static_cast<float>(v.gain * std::sin(angle) * M_SQRT2);

    for (std::size_t i = 0; i < n && at + i < out.Frames(); ++i)
    {
        const double t = static_cast<double>(i) / kSampleRate;
        if (i % kControlFrames == 0)
        {
            double x = std::min(1.0, t / sweepSeconds);
            // Sweeps are exponential in frequency but ease out, like a real drop.
            double shaped = 1.0 - (1.0 - x) * (1.0 - x);
            hz = v.frequency * std::pow(2.0, sweepOctaves * shaped);
            if (v.vibratoRate > 0.0)
                hz *= std::pow(2.0, v.vibratoDepth * Oscillator::Sine(v.vibratoRate * t) / 12.0);
            osc.SetFrequency(hz);
            if (v.filtered)
            {
                double octaves = cutoffOctaves * std::min(1.0, t * kSampleRate / static_cast<double>(n));
                if (v.wobbleRate > 0.0)
                    octaves += v.wobbleDepth * Oscillator::Sine(v.wobbleRate * t);
                filter.Set(v.cutoff * std::pow(2.0, octaves), v.resonance);
            }
        }
        float value;
        if (v.fmRatio > 0.0)
        {
            value = Oscillator::Sine(carrier + fmDepth * Oscillator::Sine(modulator));
            carrier += hz / kSampleRate;
            modulator += hz * v.fmRatio / kSampleRate;
            carrier -= std::floor(carrier);
            modulator -= std::floor(modulator);
            fmDepth *= fmFall;
        }
        else
        {
            value = osc.Next();
        }
        if (v.filtered)
            value = filter.Process(value);
        double level = env[i];
        if (v.tremoloRate > 0.0)
            level *= 1.0 - v.tremoloDepth * (0.5 - 0.5 * std::cos(2.0 * M_PI * (v.tremoloRate * t + v.tremoloPhase)));
        if (grainFrames > 0)
        {
            if (i % grainFrames == 0)
            {
                grainFrom = grainTo;
                grainTo = 1.0 - v.grainDepth * grainNoise.Uniform();
            }
            double g = static_cast<double>(i % grainFrames) / static_cast<double>(grainFrames);
            level *= grainFrom + (grainTo - grainFrom) * g;
        }
        float s = value * static_cast<float>(level);
        out.left[at + i] += left * s;
        out.right[at + i] += right * s;
    }
}

} // namespace

double EffectVoice::Seconds() const
{
    double gate = length > 0.0 ? length : envelope.attack + envelope.decay;
    return start + gate + std::max(envelope.release, 0.002);
}

std::size_t Effect::Frames() const
{
    if (loopSeconds > 0.0)
        return SecondsToFrames(loopSeconds);
    double seconds = 0.0;
    for (const EffectVoice& v : voices)
        seconds = std::max(seconds, v.Seconds());
    return kLeadIn + SecondsToFrames(seconds + (reverb > 0.0 ? kRoomTail : 0.0));
}

std::vector<Effect> ParseEffects(const std::string& text, const std::string& where)
{
    std::vector<Effect> effects;
    for (const SourceLine& line : SplitLines(text))
    {
        const std::string at = where + ":" + std::to_string(line.number);
        const std::string& key = line.words[0];
        if (key == "effect")
        {
            if (line.words.size() < 2)
                throw SourceError(at + ": effect needs a name");
            Effect e;
            e.name = line.words[1];
            for (const Effect& other : effects)
                if (other.name == e.name)
                    throw SourceError(at + ": effect \"" + e.name + "\" defined twice");
            ParamList p(line.words, 2, at);
            if (!p.Has("role") || !ParseSoundRole(p.Text("role", ""), e.role) || e.role == SoundRole::Song)
                throw SourceError(at + ": effect needs role=gameplay, button, fanfare or loop");
            e.level = p.Number("level", e.level);
            e.reverb = p.Number("reverb", e.reverb);
            e.room = p.Number("room", e.room);
            e.loopSeconds = p.Number("loop", 0.0);
            e.crossfade = p.Number("crossfade", e.crossfade);
            p.Finish();
            effects.push_back(e);
        }
        else if (key == "voice")
        {
            if (effects.empty())
                throw SourceError(at + ": voice before the first effect");
            ParamList p(line.words, 1, at);
            auto voices = ParseVoice(p, static_cast<std::uint32_t>(line.number));
            auto& target = effects.back().voices;
            target.insert(target.end(), voices.begin(), voices.end());
        }
        else
        {
            throw SourceError(at + ": expected effect or voice");
        }
    }
    for (const Effect& e : effects)
        if (e.voices.empty())
            throw SourceError(where + ": effect \"" + e.name + "\" has no voice");
    return effects;
}

StereoBuffer RenderEffect(const Effect& effect)
{
    const bool loop = effect.loopSeconds > 0.0;
    const std::size_t frames = effect.Frames();
    const std::size_t fade = loop ? SecondsToFrames(effect.crossfade) : 0;
    // A few milliseconds of silence before a one-shot: the codec smears a
    // sharp attack back by up to one short block, and that must not reach
    // the first frame.
    const std::size_t lead = loop ? 0 : kLeadIn;
    StereoBuffer out(frames + fade);
    {
        StereoBuffer voices(frames - lead + fade);
        for (const EffectVoice& v : effect.voices)
            RenderVoice(v, voices);
        std::copy(voices.left.begin(), voices.left.end(), out.left.begin() + static_cast<std::ptrdiff_t>(lead));
        std::copy(voices.right.begin(), voices.right.end(), out.right.begin() + static_cast<std::ptrdiff_t>(lead));
    }
    if (effect.reverb > 0.0)
    {
        std::vector<float> send(out.Frames());
        for (std::size_t i = 0; i < out.Frames(); ++i)
            send[i] = 0.5f * (out.left[i] + out.right[i]);
        Reverb room(effect.room, 0.5);
        room.Process(send, out, static_cast<float>(effect.reverb));
    }
    if (loop)
    {
        CrossfadeLoop(out, frames, fade);
    }
    else
    {
        // The room's last whisper is cut where it falls 60 dB below the peak.
        const float floor = Peak(out) * 0.001f;
        std::size_t end = out.Frames();
        while (end > 0 && std::fabs(out.left[end - 1]) <= floor && std::fabs(out.right[end - 1]) <= floor)
            --end;
        out.Resize(std::min(out.Frames(), end + SecondsToFrames(0.01)));
    }

    SetLoudness(out, effect.role, RoleTarget(effect.role) + effect.level, kEffectCeiling, 0.002, 0.08, loop);
    if (!loop)
        FadeEdges(out, 0, SecondsToFrames(0.01));
    return out;
}

} // namespace AudioGen
