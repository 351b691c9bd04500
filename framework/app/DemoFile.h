// DemoFile: the demo file's bytes (docs/DEMO.md): a header, then chunks of
// records. DemoWriter turns records into chunks; ReadDemo checks and decodes
// a whole file held in memory.
//
// Everything is little-endian. The header starts with the magic
// "FROTHWICK-DEMO" and the format version; its body is followed by its own
// CRC-32 (zlib's). Each chunk is a length (at most MaxChunkBytes), a CRC-32 of
// its bytes and whole records: a record never spans two chunks. Records count
// updates in runs (Updates n) and carry numbers as varints (zigzag for signed
// values), so a minute of play is a few kilobytes.
//
// ReadDemo trusts nothing it reads: every length and count is checked against
// what is left and against fixed limits before anything is allocated, a
// version other than FormatVersion is refused, and the records are checked
// for sense (update numbers that match the updates so far, known kinds,
// nothing after the end record). A file cut inside its chunks is not damaged:
// it reads up to its last whole chunk and says where it was cut.
//
// Plain data, no threads, no files: the application base does the reading
// and writing of the file itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "framework/platform/Platform.h"

namespace Framework
{

constexpr char DemoMagic[] = "FROTHWICK-DEMO"; // 14 bytes, no terminator in the file
constexpr uint16_t DemoFormatVersion = 1;
constexpr uint32_t DemoMaxChunkBytes = 64 * 1024;
constexpr uint32_t DemoMaxHeaderBytes = 32u << 20;
constexpr uint32_t DemoMaxTextBytes = 64 * 1024;

uint32_t DemoCrc32(std::span<const uint8_t> bytes);

// One data file of the game as it was when the demo was recorded.
struct DemoDataFile
{
    std::string path; // relative to the data tree, "/" separated
    uint64_t size = 0;
    uint32_t crc = 0;
    bool operator==(const DemoDataFile&) const = default;
};

// A named blob of the start state ("settings", "data/usr.dat", ...).
struct DemoState
{
    std::string name;
    std::vector<uint8_t> bytes;
    bool present = true; // false: the file did not exist
    bool operator==(const DemoState&) const = default;
};

struct DemoHeader
{
    uint16_t version = DemoFormatVersion;
    std::string programVersion;
    int64_t date = 0; // seconds since 1970
    int32_t refreshRate = 0;
    int32_t tickMs = 10;
    std::vector<uint64_t> seeds; // [0] the game's seed, [1] the C library's
    std::string name;
    std::vector<DemoDataFile> dataFiles;
    std::vector<DemoState> state;
    bool operator==(const DemoHeader&) const = default;

    const DemoState* FindState(const std::string& stateName) const;
};

// What the game's state was at a checkpoint.
struct DemoCheckpoint
{
    uint32_t update = 0; // updates (RunTick calls) so far
    int32_t mode = 0;
    int32_t stage = 0;
    int32_t score = 0;
    uint32_t gridCrc = 0; // CRC-32 of the cell kinds
    int32_t shot = 0;
    int32_t next = 0;
    bool operator==(const DemoCheckpoint&) const = default;
};

// The kinds of the outside world's answers.
enum class DemoAnswer : uint8_t
{
    Minute = 1,     // CurrentMinute
    MessageBox = 2, // the button a message box returned
    Paste = 3,      // pasted text
    Chooser = 4,    // the file chooser's result (text; value 0 cancelled)
    Import = 5,     // the outcome of an import (value)
};

struct DemoRecord
{
    enum class Kind : uint8_t
    {
        Updates = 1,    // count: RunTick calls in a row
        Smooth = 2,     // fraction
        Draw = 3,       // one DrawDirty
        Input = 4,      // input: an event handed to the widgets
        Window = 5,     // window: an event that reached the game
        Loaded = 6,     // loading finished before the next update
        Answer = 7,     // answer, value, text
        Checkpoint = 8, // checkpoint
        End = 9,        // count: updates, draws, checkpoints in checkpoint.update / value / count
        // In the file only: a smooth update with the fraction of the one
        // before (read as Smooth).
        SmoothAgain = 10,
    };
    Kind kind = Kind::Draw;
    uint32_t count = 0;
    double fraction = 0;
    InputEvent input;
    WindowEvent window;
    DemoAnswer answer = DemoAnswer::Minute;
    int64_t value = 0;
    std::string text;
    DemoCheckpoint checkpoint;

    static DemoRecord Updates(uint32_t n);
    static DemoRecord Smooth(double f);
    static DemoRecord Draw();
    static DemoRecord Input(const InputEvent& e);
    static DemoRecord Window(const WindowEvent& e);
    static DemoRecord Loaded();
    static DemoRecord Answer(DemoAnswer kind, int64_t v, std::string t = {});
    static DemoRecord Checkpoint(const DemoCheckpoint& c);
    static DemoRecord End(uint32_t updates, uint32_t draws, uint32_t checkpoints);
};

bool operator==(const DemoRecord& a, const DemoRecord& b);

std::vector<uint8_t> EncodeDemoHeader(const DemoHeader& header);
// Appends one record's bytes. lastFraction: the fraction of the smooth
// update before (a repeat is written as SmoothAgain), updated; null writes
// every Smooth whole.
void EncodeDemoRecord(const DemoRecord& record, std::vector<uint8_t>& out, double* lastFraction = nullptr);

// Builds chunks: records go into the open chunk, which is handed out whole by
// TakeChunk (length, CRC and bytes) when the next record would not fit, or
// when the caller flushes (the recorder does at least every second).
// Consecutive Updates records are merged.
class DemoWriter
{
public:
    void Add(const DemoRecord& record);
    // The open chunk as file bytes (empty when there is nothing to write);
    // the chunk is closed. Pending updates are included.
    std::vector<uint8_t> TakeChunk();
    // Whole chunks made by Add when one filled up, waiting to be written.
    std::vector<uint8_t> TakeFullChunks();
    bool Empty() const { return open.empty() && pendingUpdates == 0 && full.empty(); }

private:
    void FlushUpdates();
    void Append(const DemoRecord& record);
    void CloseChunk();
    std::vector<uint8_t> open;
    std::vector<uint8_t> full;
    uint32_t pendingUpdates = 0;
    double lastFraction = -1; // none yet
};

struct DemoContent
{
    DemoHeader header;
    std::vector<DemoRecord> records;
    bool hasEnd = false;
    // The file stops inside a chunk (a killed recorder): the byte offset of
    // the cut chunk, else 0.
    uint64_t cutAt = 0;
};

// Decodes a whole demo file. False with a reason ("the chunk at byte 812 is
// damaged", "format version 2 is newer than this program's 1", ...) when the
// file is not a demo this program can play.
bool ReadDemo(std::span<const uint8_t> bytes, DemoContent& out, std::string& error);

// The whole file of a header and records (tests, tools): one chunk per
// DemoMaxChunkBytes.
std::vector<uint8_t> WriteDemo(const DemoHeader& header, const std::vector<DemoRecord>& records);

} // namespace Framework
