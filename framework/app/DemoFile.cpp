#include "framework/app/DemoFile.h"

#include <zlib.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

namespace Framework
{

namespace
{

constexpr size_t MagicBytes = sizeof(DemoMagic) - 1;
constexpr uint32_t MaxDataFiles = 4096;
constexpr uint32_t MaxStates = 256;
constexpr uint32_t MaxSeeds = 16;
// No single piece of the start state (a settings file, a profile file) is
// near this.
constexpr uint32_t MaxStateBytes = 16u << 20;

// --- writing ---

void PutU8(std::vector<uint8_t>& out, uint8_t v)
{
    out.push_back(v);
}

void PutLE(std::vector<uint8_t>& out, uint64_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
    {
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
}

void PutVarint(std::vector<uint8_t>& out, uint64_t v)
{
    while (v >= 0x80)
    {
        out.push_back(static_cast<uint8_t>(v | 0x80));
        v >>= 7;
    }
    out.push_back(static_cast<uint8_t>(v));
}

uint64_t ZigZag(int64_t v)
{
    return (static_cast<uint64_t>(v) << 1) ^ static_cast<uint64_t>(v >> 63);
}

int64_t UnZigZag(uint64_t v)
{
    return static_cast<int64_t>(v >> 1) ^ -static_cast<int64_t>(v & 1);
}

void PutSigned(std::vector<uint8_t>& out, int64_t v)
{
    PutVarint(out, ZigZag(v));
}

void PutText16(std::vector<uint8_t>& out, const std::string& text)
{
    const size_t n = std::min<size_t>(text.size(), 0xFFFF);
    PutLE(out, n, 2);
    out.insert(out.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n));
}

// --- reading ---

class Cursor
{
public:
    Cursor(std::span<const uint8_t> b, uint64_t baseOffset) : bytes(b), base(baseOffset) {}
    bool failed = false;
    std::string why;

    size_t Left() const { return bytes.size() - at; }
    bool AtEnd() const { return at == bytes.size(); }
    uint64_t Offset() const { return base + at; }

    bool Fail(const std::string& reason)
    {
        if (!failed)
        {
            failed = true;
            why = reason + " at byte " + std::to_string(Offset());
        }
        return false;
    }
    uint64_t LE(int n)
    {
        if (failed || Left() < size_t(n))
        {
            Fail("the file ends inside a field");
            return 0;
        }
        uint64_t v = 0;
        for (int i = 0; i < n; ++i)
        {
            v |= uint64_t(bytes[at + size_t(i)]) << (8 * i);
        }
        at += size_t(n);
        return v;
    }
    uint64_t Varint()
    {
        uint64_t v = 0;
        for (int shift = 0; shift < 64; shift += 7)
        {
            if (failed || AtEnd())
            {
                Fail("a number is cut off");
                return 0;
            }
            const uint8_t b = bytes[at++];
            if (shift == 63 && b > 1)
            {
                Fail("a number is too long");
                return 0;
            }
            v |= uint64_t(b & 0x7F) << shift;
            if ((b & 0x80) == 0)
            {
                return v;
            }
        }
        Fail("a number is too long");
        return 0;
    }
    int64_t Signed() { return UnZigZag(Varint()); }
    int32_t Int32()
    {
        const int64_t v = Signed();
        if (v < INT32_MIN || v > INT32_MAX)
        {
            Fail("a number is out of range");
            return 0;
        }
        return static_cast<int32_t>(v);
    }
    uint32_t UInt32()
    {
        const uint64_t v = Varint();
        if (v > UINT32_MAX)
        {
            Fail("a number is out of range");
            return 0;
        }
        return static_cast<uint32_t>(v);
    }
    bool Bytes(size_t n, std::vector<uint8_t>& out)
    {
        if (failed || Left() < n)
        {
            return Fail("a length runs past the end");
        }
        out.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                   bytes.begin() + static_cast<std::ptrdiff_t>(at + n));
        at += n;
        return true;
    }
    bool Text(size_t n, std::string& out)
    {
        if (failed || Left() < n)
        {
            return Fail("a length runs past the end");
        }
        out.assign(reinterpret_cast<const char*>(bytes.data() + at), n);
        at += n;
        return true;
    }
    std::string Text16()
    {
        std::string s;
        Text(size_t(LE(2)), s);
        return s;
    }

private:
    std::span<const uint8_t> bytes;
    uint64_t base;
    size_t at = 0;
};

bool ReadHeaderBody(Cursor& c, DemoHeader& h)
{
    h.programVersion = c.Text16();
    h.date = static_cast<int64_t>(c.LE(8));
    h.refreshRate = static_cast<int32_t>(c.LE(4));
    h.tickMs = static_cast<int32_t>(c.LE(4));
    if (!c.failed && (h.tickMs < 1 || h.tickMs > 1000))
    {
        return c.Fail("the tick length " + std::to_string(h.tickMs) + " ms makes no sense");
    }
    const uint32_t seeds = static_cast<uint32_t>(c.LE(1));
    if (seeds > MaxSeeds)
    {
        return c.Fail("too many seeds");
    }
    for (uint32_t i = 0; i < seeds && !c.failed; ++i)
    {
        h.seeds.push_back(c.LE(8));
    }
    h.name = c.Text16();
    const uint32_t files = static_cast<uint32_t>(c.LE(2));
    if (files > MaxDataFiles || uint64_t(files) * 14 > c.Left())
    {
        return c.Fail("the count of data files is absurd");
    }
    for (uint32_t i = 0; i < files && !c.failed; ++i)
    {
        DemoDataFile f;
        f.path = c.Text16();
        f.size = c.LE(8);
        f.crc = static_cast<uint32_t>(c.LE(4));
        h.dataFiles.push_back(std::move(f));
    }
    const uint32_t states = static_cast<uint32_t>(c.LE(2));
    if (states > MaxStates || uint64_t(states) * 7 > c.Left())
    {
        return c.Fail("the count of start-state entries is absurd");
    }
    for (uint32_t i = 0; i < states && !c.failed; ++i)
    {
        DemoState s;
        s.name = c.Text16();
        s.present = c.LE(1) != 0;
        const uint32_t length = static_cast<uint32_t>(c.LE(4));
        if (length > MaxStateBytes)
        {
            return c.Fail("a start-state entry is absurdly long");
        }
        c.Bytes(length, s.bytes);
        h.state.push_back(std::move(s));
    }
    if (!c.failed && !c.AtEnd())
    {
        return c.Fail("the header has bytes after its last field");
    }
    return !c.failed;
}

bool ReadRecord(Cursor& c, DemoRecord& r, double& lastFraction)
{
    const uint64_t kind = c.Varint();
    if (c.failed)
    {
        return false;
    }
    using K = DemoRecord::Kind;
    if (kind < uint64_t(K::Updates) || kind > uint64_t(K::SmoothAgain))
    {
        return c.Fail("unknown record kind " + std::to_string(kind));
    }
    r = DemoRecord();
    r.kind = static_cast<K>(kind);
    switch (r.kind)
    {
        case K::SmoothAgain:
            if (lastFraction < 0)
            {
                return c.Fail("a repeated smooth update without one before");
            }
            r.kind = K::Smooth;
            r.fraction = lastFraction;
            break;
        case K::Updates:
            r.count = c.UInt32();
            if (!c.failed && r.count == 0)
            {
                return c.Fail("a run of zero updates");
            }
            break;
        case K::Smooth:
        {
            r.fraction = std::bit_cast<double>(c.LE(8));
            if (!c.failed && !(std::isfinite(r.fraction) && r.fraction >= 0 && r.fraction <= 1000))
            {
                return c.Fail("a smooth update's fraction makes no sense");
            }
            lastFraction = r.fraction;
            break;
        }
        case K::Draw:
        case K::Loaded:
            break;
        case K::Input:
        {
            const uint64_t type = c.Varint();
            if (type > uint64_t(InputEvent::Type::MouseLeave))
            {
                return c.Fail("unknown input event");
            }
            r.input.type = static_cast<InputEvent::Type>(type);
            r.input.x = c.Int32();
            r.input.y = c.Int32();
            r.input.clickCount = c.Int32();
            r.input.delta = c.Int32();
            r.input.key = c.Int32();
            r.input.sysKey = c.Varint() != 0;
            break;
        }
        case K::Window:
        {
            const uint64_t type = c.Varint();
            if (type > uint64_t(WindowEvent::Type::QuitRequested))
            {
                return c.Fail("unknown window event");
            }
            r.window.type = static_cast<WindowEvent::Type>(type);
            r.window.x = c.Int32();
            r.window.y = c.Int32();
            break;
        }
        case K::Answer:
        {
            const uint64_t answer = c.Varint();
            if (answer < uint64_t(DemoAnswer::Minute) || answer > uint64_t(DemoAnswer::Import))
            {
                return c.Fail("unknown answer kind");
            }
            r.answer = static_cast<DemoAnswer>(answer);
            r.value = c.Signed();
            const uint64_t length = c.Varint();
            if (length > DemoMaxTextBytes)
            {
                return c.Fail("an answer's text is absurdly long");
            }
            c.Text(size_t(length), r.text);
            break;
        }
        case K::Checkpoint:
            r.checkpoint.update = c.UInt32();
            r.checkpoint.mode = c.Int32();
            r.checkpoint.stage = c.Int32();
            r.checkpoint.score = c.Int32();
            r.checkpoint.gridCrc = c.UInt32();
            r.checkpoint.shot = c.Int32();
            r.checkpoint.next = c.Int32();
            break;
        case K::End:
            r.checkpoint.update = c.UInt32();
            r.value = c.UInt32();
            r.count = c.UInt32();
            break;
    }
    return !c.failed;
}

} // namespace

uint32_t DemoCrc32(std::span<const uint8_t> bytes)
{
    uLong crc = crc32(0L, Z_NULL, 0);
    size_t at = 0;
    while (at < bytes.size())
    {
        const uInt n = static_cast<uInt>(std::min<size_t>(bytes.size() - at, 1u << 30));
        crc = crc32(crc, bytes.data() + at, n);
        at += n;
    }
    return static_cast<uint32_t>(crc);
}

const DemoState* DemoHeader::FindState(const std::string& stateName) const
{
    for (const DemoState& s : state)
    {
        if (s.name == stateName)
        {
            return &s;
        }
    }
    return nullptr;
}

// --- records ---

DemoRecord DemoRecord::Updates(uint32_t n)
{
    DemoRecord r;
    r.kind = Kind::Updates;
    r.count = n;
    return r;
}

DemoRecord DemoRecord::Smooth(double f)
{
    DemoRecord r;
    r.kind = Kind::Smooth;
    r.fraction = f;
    return r;
}

DemoRecord DemoRecord::Draw()
{
    DemoRecord r;
    r.kind = Kind::Draw;
    return r;
}

DemoRecord DemoRecord::Input(const InputEvent& e)
{
    DemoRecord r;
    r.kind = Kind::Input;
    r.input = e;
    return r;
}

DemoRecord DemoRecord::Window(const WindowEvent& e)
{
    DemoRecord r;
    r.kind = Kind::Window;
    r.window = e;
    return r;
}

DemoRecord DemoRecord::Loaded()
{
    DemoRecord r;
    r.kind = Kind::Loaded;
    return r;
}

DemoRecord DemoRecord::Answer(DemoAnswer kind, int64_t v, std::string t)
{
    DemoRecord r;
    r.kind = Kind::Answer;
    r.answer = kind;
    r.value = v;
    r.text = std::move(t);
    return r;
}

DemoRecord DemoRecord::Checkpoint(const DemoCheckpoint& c)
{
    DemoRecord r;
    r.kind = Kind::Checkpoint;
    r.checkpoint = c;
    return r;
}

DemoRecord DemoRecord::End(uint32_t updates, uint32_t draws, uint32_t checkpoints)
{
    DemoRecord r;
    r.kind = Kind::End;
    r.checkpoint.update = updates;
    r.value = draws;
    r.count = checkpoints;
    return r;
}

bool operator==(const DemoRecord& a, const DemoRecord& b)
{
    std::vector<uint8_t> x;
    std::vector<uint8_t> y;
    EncodeDemoRecord(a, x);
    EncodeDemoRecord(b, y);
    return x == y;
}

void EncodeDemoRecord(const DemoRecord& r, std::vector<uint8_t>& out, double* lastFraction)
{
    using K = DemoRecord::Kind;
    if (r.kind == K::Smooth && lastFraction)
    {
        const bool again = *lastFraction == r.fraction;
        *lastFraction = r.fraction;
        if (again)
        {
            PutVarint(out, static_cast<uint8_t>(K::SmoothAgain));
            return;
        }
    }
    PutVarint(out, static_cast<uint8_t>(r.kind));
    switch (r.kind)
    {
        case K::SmoothAgain:
            break;
        case K::Updates:
            PutVarint(out, r.count);
            break;
        case K::Smooth:
            PutLE(out, std::bit_cast<uint64_t>(r.fraction), 8);
            break;
        case K::Draw:
        case K::Loaded:
            break;
        case K::Input:
            PutVarint(out, static_cast<uint64_t>(r.input.type));
            PutSigned(out, r.input.x);
            PutSigned(out, r.input.y);
            PutSigned(out, r.input.clickCount);
            PutSigned(out, r.input.delta);
            PutSigned(out, r.input.key);
            PutVarint(out, r.input.sysKey ? 1 : 0);
            break;
        case K::Window:
            PutVarint(out, static_cast<uint64_t>(r.window.type));
            PutSigned(out, r.window.x);
            PutSigned(out, r.window.y);
            break;
        case K::Answer:
        {
            PutVarint(out, static_cast<uint8_t>(r.answer));
            PutSigned(out, r.value);
            const size_t n = std::min<size_t>(r.text.size(), DemoMaxTextBytes);
            PutVarint(out, n);
            out.insert(out.end(), r.text.begin(), r.text.begin() + static_cast<std::ptrdiff_t>(n));
            break;
        }
        case K::Checkpoint:
            PutVarint(out, r.checkpoint.update);
            PutSigned(out, r.checkpoint.mode);
            PutSigned(out, r.checkpoint.stage);
            PutSigned(out, r.checkpoint.score);
            PutVarint(out, r.checkpoint.gridCrc);
            PutSigned(out, r.checkpoint.shot);
            PutSigned(out, r.checkpoint.next);
            break;
        case K::End:
            PutVarint(out, r.checkpoint.update);
            PutVarint(out, static_cast<uint64_t>(r.value));
            PutVarint(out, r.count);
            break;
    }
}

std::vector<uint8_t> EncodeDemoHeader(const DemoHeader& h)
{
    std::vector<uint8_t> body;
    PutText16(body, h.programVersion);
    PutLE(body, static_cast<uint64_t>(h.date), 8);
    PutLE(body, static_cast<uint32_t>(h.refreshRate), 4);
    PutLE(body, static_cast<uint32_t>(h.tickMs), 4);
    const size_t seeds = std::min<size_t>(h.seeds.size(), MaxSeeds);
    PutU8(body, static_cast<uint8_t>(seeds));
    for (size_t i = 0; i < seeds; ++i)
    {
        PutLE(body, h.seeds[i], 8);
    }
    PutText16(body, h.name);
    PutLE(body, std::min<size_t>(h.dataFiles.size(), MaxDataFiles), 2);
    for (size_t i = 0; i < h.dataFiles.size() && i < MaxDataFiles; ++i)
    {
        PutText16(body, h.dataFiles[i].path);
        PutLE(body, h.dataFiles[i].size, 8);
        PutLE(body, h.dataFiles[i].crc, 4);
    }
    PutLE(body, std::min<size_t>(h.state.size(), MaxStates), 2);
    for (size_t i = 0; i < h.state.size() && i < MaxStates; ++i)
    {
        const DemoState& s = h.state[i];
        PutText16(body, s.name);
        PutU8(body, s.present ? 1 : 0);
        const size_t n = std::min<size_t>(s.bytes.size(), MaxStateBytes);
        PutLE(body, n, 4);
        body.insert(body.end(), s.bytes.begin(), s.bytes.begin() + static_cast<std::ptrdiff_t>(n));
    }

    std::vector<uint8_t> out(DemoMagic, DemoMagic + MagicBytes);
    PutLE(out, h.version, 2);
    PutLE(out, body.size(), 4);
    out.insert(out.end(), body.begin(), body.end());
    PutLE(out, DemoCrc32(body), 4);
    return out;
}

// --- writer ---

void DemoWriter::FlushUpdates()
{
    if (pendingUpdates > 0)
    {
        const uint32_t n = pendingUpdates;
        pendingUpdates = 0;
        Append(DemoRecord::Updates(n));
    }
}

void DemoWriter::Append(const DemoRecord& record)
{
    // A chunk starts with a whole fraction: each chunk reads alone.
    std::vector<uint8_t> bytes;
    EncodeDemoRecord(record, bytes, &lastFraction);
    if (!open.empty() && open.size() + bytes.size() > DemoMaxChunkBytes)
    {
        CloseChunk();
        bytes.clear();
        EncodeDemoRecord(record, bytes, &lastFraction);
    }
    open.insert(open.end(), bytes.begin(), bytes.end());
}

void DemoWriter::CloseChunk()
{
    if (open.empty())
    {
        return;
    }
    PutLE(full, open.size(), 4);
    PutLE(full, DemoCrc32(open), 4);
    full.insert(full.end(), open.begin(), open.end());
    open.clear();
    lastFraction = -1;
}

void DemoWriter::Add(const DemoRecord& record)
{
    if (record.kind == DemoRecord::Kind::Updates)
    {
        // A run never overflows its count.
        if (uint64_t(pendingUpdates) + record.count > UINT32_MAX)
        {
            FlushUpdates();
        }
        pendingUpdates += record.count;
        return;
    }
    FlushUpdates();
    Append(record);
}

std::vector<uint8_t> DemoWriter::TakeChunk()
{
    FlushUpdates();
    CloseChunk();
    return TakeFullChunks();
}

std::vector<uint8_t> DemoWriter::TakeFullChunks()
{
    std::vector<uint8_t> out;
    out.swap(full);
    return out;
}

std::vector<uint8_t> WriteDemo(const DemoHeader& header, const std::vector<DemoRecord>& records)
{
    std::vector<uint8_t> out = EncodeDemoHeader(header);
    DemoWriter writer;
    for (const DemoRecord& r : records)
    {
        writer.Add(r);
    }
    const std::vector<uint8_t> chunks = writer.TakeChunk();
    out.insert(out.end(), chunks.begin(), chunks.end());
    return out;
}

// --- reader ---

bool ReadDemo(std::span<const uint8_t> bytes, DemoContent& out, std::string& error)
{
    out = DemoContent();
    if (bytes.size() < MagicBytes || std::memcmp(bytes.data(), DemoMagic, MagicBytes) != 0)
    {
        error = "it is not a Frothwick demo (no \"FROTHWICK-DEMO\" at its start)";
        return false;
    }
    Cursor top(bytes.subspan(MagicBytes), MagicBytes);
    const uint16_t version = static_cast<uint16_t>(top.LE(2));
    if (top.failed)
    {
        error = "the header is cut off";
        return false;
    }
    if (version != DemoFormatVersion)
    {
        error = "its format version " + std::to_string(version) +
                (version > DemoFormatVersion ? " is newer than" : " is not") + " this program's " +
                std::to_string(DemoFormatVersion);
        return false;
    }
    const uint32_t headerBytes = static_cast<uint32_t>(top.LE(4));
    if (top.failed || headerBytes > DemoMaxHeaderBytes || uint64_t(headerBytes) + 4 > top.Left())
    {
        error =
            top.failed || headerBytes <= DemoMaxHeaderBytes ? "the header is cut off" : "the header's length is absurd";
        return false;
    }
    const size_t bodyAt = MagicBytes + 6;
    const std::span<const uint8_t> body = bytes.subspan(bodyAt, headerBytes);
    Cursor crcField(bytes.subspan(bodyAt + headerBytes, 4), bodyAt + headerBytes);
    if (static_cast<uint32_t>(crcField.LE(4)) != DemoCrc32(body))
    {
        error = "the header (bytes " + std::to_string(bodyAt) + " to " + std::to_string(bodyAt + headerBytes - 1) +
                ") is damaged: its CRC-32 does not match";
        return false;
    }
    Cursor head(body, bodyAt);
    out.header.version = version;
    if (!ReadHeaderBody(head, out.header))
    {
        error = "the header is damaged: " + head.why;
        return false;
    }

    uint64_t at = bodyAt + uint64_t(headerBytes) + 4;
    uint64_t updates = 0;
    uint64_t lastCheckpoint = 0;
    while (at < bytes.size())
    {
        if (out.hasEnd)
        {
            error = "there are bytes after the end record, at byte " + std::to_string(at);
            return false;
        }
        if (bytes.size() - at < 8)
        {
            out.cutAt = at;
            break;
        }
        Cursor frame(bytes.subspan(size_t(at), 8), at);
        const uint32_t length = static_cast<uint32_t>(frame.LE(4));
        const uint32_t crc = static_cast<uint32_t>(frame.LE(4));
        if (length == 0 || length > DemoMaxChunkBytes)
        {
            error =
                "the chunk at byte " + std::to_string(at) + " has an absurd length (" + std::to_string(length) + ")";
            return false;
        }
        if (bytes.size() - at - 8 < length)
        {
            out.cutAt = at;
            break;
        }
        const std::span<const uint8_t> chunk = bytes.subspan(size_t(at + 8), length);
        if (DemoCrc32(chunk) != crc)
        {
            error = "the chunk at byte " + std::to_string(at) + " is damaged: its CRC-32 does not match";
            return false;
        }
        Cursor c(chunk, at + 8);
        double lastFraction = -1; // each chunk starts afresh
        while (!c.AtEnd())
        {
            if (out.hasEnd)
            {
                c.Fail("a record follows the end record");
                break;
            }
            DemoRecord r;
            if (!ReadRecord(c, r, lastFraction))
            {
                break;
            }
            if (r.kind == DemoRecord::Kind::Updates)
            {
                updates += r.count;
                if (updates > UINT32_MAX)
                {
                    c.Fail("too many updates");
                    break;
                }
            }
            else if (r.kind == DemoRecord::Kind::Checkpoint || r.kind == DemoRecord::Kind::End)
            {
                if (r.checkpoint.update < lastCheckpoint)
                {
                    c.Fail("the update numbers go back (" + std::to_string(r.checkpoint.update) + " after " +
                           std::to_string(lastCheckpoint) + ")");
                    break;
                }
                if (r.checkpoint.update != updates)
                {
                    c.Fail("a record names update " + std::to_string(r.checkpoint.update) + " after " +
                           std::to_string(updates) + " updates");
                    break;
                }
                lastCheckpoint = r.checkpoint.update;
                out.hasEnd = r.kind == DemoRecord::Kind::End;
            }
            out.records.push_back(std::move(r));
        }
        if (c.failed)
        {
            error = "the records are damaged: " + c.why;
            return false;
        }
        at += 8 + uint64_t(length);
    }
    return true;
}

} // namespace Framework
