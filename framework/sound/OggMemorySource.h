// OggMemorySource: vorbisfile callbacks reading an Ogg stream from bytes in
// memory. The source does not own the bytes; they, and the source, must
// outlive the OggVorbis_File opened over it. One thread at a time.
#pragma once

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace Framework
{

struct OggMemorySource
{
    const uint8_t* bytes = nullptr;
    size_t size = 0;
    size_t position = 0;

    static size_t Read(void* out, size_t itemSize, size_t count, void* self)
    {
        auto* s = static_cast<OggMemorySource*>(self);
        if (itemSize == 0)
        {
            return 0;
        }
        const size_t items = std::min(count, (s->size - s->position) / itemSize);
        if (items > 0)
        {
            std::memcpy(out, s->bytes + s->position, items * itemSize);
            s->position += items * itemSize;
        }
        return items;
    }

    static int Seek(void* self, ogg_int64_t offset, int whence)
    {
        auto* s = static_cast<OggMemorySource*>(self);
        ogg_int64_t base = 0;
        if (whence == SEEK_CUR)
        {
            base = static_cast<ogg_int64_t>(s->position);
        }
        else if (whence == SEEK_END)
        {
            base = static_cast<ogg_int64_t>(s->size);
        }
        else if (whence != SEEK_SET)
        {
            return -1;
        }
        if (offset < -base || offset > static_cast<ogg_int64_t>(s->size) - base)
        {
            return -1;
        }
        s->position = static_cast<size_t>(base + offset);
        return 0;
    }

    static long Tell(void* self) { return static_cast<long>(static_cast<OggMemorySource*>(self)->position); }

    // Opens file over this source; ov_open_callbacks' result (0: opened).
    int Open(OggVorbis_File* file)
    {
        const ov_callbacks callbacks{&Read, &Seek, nullptr, &Tell};
        return ov_open_callbacks(this, file, nullptr, 0, callbacks);
    }
};

} // namespace Framework
