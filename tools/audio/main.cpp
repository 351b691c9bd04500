// assetgen-audio: renders the game's sound effects and songs from the text
// sources in assets/audio and writes them as Ogg Vorbis.
//
//   assetgen-audio effects SOURCE OUTDIR        every effect to OUTDIR/NAME.ogg
//   assetgen-audio song SOURCE OUTFILE          one song
//   assetgen-audio listen OUT.wav LABELS DATADIR FILE...
//        joins the named data files (effects whole, longer files cut to their
//        first seconds) into one WAV for review and writes a table of start
//        times and names to LABELS; prints every file's loudness figures
//        (docs/AUDIO.md) and adds them to LABELS
//   assetgen-audio measure FILE...              the loudness table of Ogg Vorbis files
//
// Exit code 0 on success, 1 with a message on standard error otherwise.
#include "tools/audio/EffectBank.h"
#include "tools/audio/Loudness.h"
#include "tools/audio/Mastering.h"
#include "tools/audio/Song.h"
#include "tools/audio/SongRenderer.h"
#include "tools/audio/SourceText.h"
#include "tools/audio/VorbisCodec.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

using namespace AudioGen;

namespace
{

constexpr double kListenClip = 10.0; // seconds kept of each longer file
constexpr double kListenGap = 0.6;

void WriteOgg(const StereoBuffer& buffer, const std::string& path)
{
    WriteBinaryFile(path, EncodeVorbis(buffer, kVorbisQuality, StreamSerial(path)));
}

int Effects(const std::string& source, const std::string& outDir)
{
    for (const Effect& effect : ParseEffects(ReadTextFile(source), source))
    {
        WriteOgg(RenderEffect(effect), outDir + "/" + effect.name + ".ogg");
    }
    return 0;
}

int RenderSongFile(const std::string& source, const std::string& outFile)
{
    WriteOgg(RenderSong(Song::Parse(ReadTextFile(source), source)), outFile);
    return 0;
}

DecodedAudio DecodeOrThrow(const std::string& path)
{
    DecodedAudio audio;
    if (!DecodeVorbisFile(path, audio))
    {
        throw SourceError("cannot decode " + path);
    }
    return audio;
}

int MeasureFiles(const std::vector<std::string>& files)
{
    std::cout << LoudnessTableHeader();
    for (const std::string& file : files)
    {
        const StereoBuffer samples = DecodeOrThrow(file).samples;
        // The folder too: sounds/fire.ogg and music/fire.ogg are different files.
        const std::filesystem::path path(file);
        std::cout << LoudnessTableRow((path.parent_path().filename() / path.filename()).string(), Measure(samples),
                                      Measure(samples, true));
    }
    return 0;
}

std::string Clock(double seconds)
{
    char text[32];
    int minutes = static_cast<int>(seconds / 60.0);
    std::snprintf(text, sizeof text, "%d:%04.1f", minutes, seconds - 60.0 * minutes);
    return text;
}

int Listen(const std::string& outWav, const std::string& labelsPath, const std::string& dataDir,
           const std::vector<std::string>& files)
{
    StereoBuffer all;
    std::string table = LoudnessTableHeader();
    std::ofstream labels(labelsPath);
    labels << "| start | file |\n|---|---|\n";
    for (const std::string& file : files)
    {
        DecodedAudio audio = DecodeOrThrow(dataDir + "/" + file);
        StereoBuffer& piece = audio.samples;
        table += LoudnessTableRow(file, Measure(piece), Measure(piece, true));
        const std::size_t clip = SecondsToFrames(kListenClip);
        if (piece.Frames() > clip)
        {
            piece.Resize(clip);
            FadeEdges(piece, 0, SecondsToFrames(0.8));
        }
        double start = static_cast<double>(all.Frames()) / kSampleRate;
        labels << "| " << Clock(start) << " | " << file << " |\n";
        all.left.insert(all.left.end(), piece.left.begin(), piece.left.end());
        all.right.insert(all.right.end(), piece.right.begin(), piece.right.end());
        all.Resize(all.Frames() + SecondsToFrames(kListenGap));
    }
    labels << "\n" << table;
    WriteBinaryFile(outWav, EncodeWav(all));
    std::cout << table;
    std::cout << "wrote " << outWav << " (" << Clock(static_cast<double>(all.Frames()) / kSampleRate) << "), labels in "
              << labelsPath << "\n";
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    try
    {
        if (args.size() == 3 && args[0] == "effects")
            return Effects(args[1], args[2]);
        if (args.size() == 3 && args[0] == "song")
            return RenderSongFile(args[1], args[2]);
        if (args.size() >= 5 && args[0] == "listen")
            return Listen(args[1], args[2], args[3], std::vector<std::string>(args.begin() + 4, args.end()));
        if (args.size() >= 2 && args[0] == "measure")
            return MeasureFiles(std::vector<std::string>(args.begin() + 1, args.end()));
    }
    catch (const std::exception& error)
    {
        std::cerr << "assetgen-audio: " << error.what() << "\n";
        return 1;
    }
    std::cerr << "usage: assetgen-audio effects SOURCE OUTDIR | song SOURCE OUTFILE | "
                 "listen OUT.wav LABELS DATADIR FILE... | measure FILE...\n";
    return 1;
}
