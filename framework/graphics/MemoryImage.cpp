#include "framework/graphics/MemoryImage.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Framework
{

namespace
{

// x / 255 rounded, for x in 0..255 * 255.
inline uint32_t Div255(uint32_t x)
{
    x += 128;
    return (x + (x >> 8)) >> 8;
}

// Normal blend of the colour of pixel word s with coverage k (1..255) into
// *d: out alpha A = dA + (255 - dA) * k / 255, weight w = k * 255 / A, each
// channel (w * source + (256 - w) * destination) / 256. Red and blue are
// computed together in one word; the channels cannot carry into each other.
inline void BlendPixel(uint32_t* d, uint32_t s, uint32_t k)
{
    if (k >= 255)
    {
        *d = 0xFF000000u | (s & 0x00FFFFFFu);
        return;
    }
    const uint32_t dv = *d;
    const uint32_t dA = dv >> 24;
    uint32_t outA;
    uint32_t w;
    if (dA == 255)
    {
        outA = 255;
        w = k;
    }
    else
    {
        outA = dA + (255 - dA) * k / 255;
        w = k * 255 / outA;
    }
    const uint32_t iw = 256 - w;
    const uint32_t rb = (((s & 0x00FF00FFu) * w + (dv & 0x00FF00FFu) * iw) >> 8) & 0x00FF00FFu;
    const uint32_t g = (((s & 0x0000FF00u) * w + (dv & 0x0000FF00u) * iw) >> 8) & 0x0000FF00u;
    *d = (outA << 24) | rb | g;
}

// Additive: the colour of s scaled by k / 256 (k = 255: unscaled) added to
// *d with saturation; the destination alpha stays.
inline void AddPixel(uint32_t* d, uint32_t s, uint32_t k)
{
    uint32_t srb = s & 0x00FF00FFu;
    uint32_t sg = s & 0x0000FF00u;
    if (k < 255)
    {
        srb = ((srb * (k + 1)) >> 8) & 0x00FF00FFu;
        sg = ((sg * (k + 1)) >> 8) & 0x0000FF00u;
    }
    const uint32_t dv = *d;
    const uint32_t rb = (dv & 0x00FF00FFu) + srb;
    const uint32_t rbOver = rb & 0x01000100u;
    const uint32_t rbSat = (rb | (rbOver - (rbOver >> 8))) & 0x00FF00FFu;
    const uint32_t g = (dv & 0x0000FF00u) + sg;
    const uint32_t gOver = g & 0x00010000u;
    const uint32_t gSat = (g | (gOver - (gOver >> 8))) & 0x0000FF00u;
    *d = (dv & 0xFF000000u) | rbSat | gSat;
}

struct Modulation
{
    uint32_t r, g, b, a;
    bool white;
    explicit Modulation(const Color& c)
        : r(Color::Clamp8(c.red)), g(Color::Clamp8(c.green)), b(Color::Clamp8(c.blue)), a(Color::Clamp8(c.alpha)),
          white(r == 255 && g == 255 && b == 255 && a == 255)
    {
    }
};

// Draws one source pixel word s onto *d with the modulation and blend mode
// (0 normal, 1 additive).
inline void PutPixel(uint32_t* d, uint32_t s, const Modulation& m, int32_t blendMode)
{
    const uint32_t sA = s >> 24;
    if (sA == 0)
    {
        return;
    }
    uint32_t k = sA;
    if (!m.white)
    {
        const uint32_t sr = Div255(((s >> 16) & 0xFF) * m.r);
        const uint32_t sg = Div255(((s >> 8) & 0xFF) * m.g);
        const uint32_t sb = Div255((s & 0xFF) * m.b);
        s = (sr << 16) | (sg << 8) | sb;
        if (m.a != 255)
        {
            k = Div255(m.a * sA);
            if (k == 0)
            {
                return;
            }
        }
    }
    if (blendMode == BLENDMODE_NORMAL)
    {
        BlendPixel(d, s, k);
    }
    else
    {
        AddPixel(d, s, k);
    }
}

// Source pixel of a bilinear sample at (u, v) (pixel centres at .5) inside
// the w x h block starting at `base` with row stride `stride`; outside
// pixels count as transparent. Colours are averaged weighted by alpha.
inline uint32_t SampleBilinear(const uint32_t* base, int32_t stride, int32_t w, int32_t h, int64_t u16, int64_t v16,
                               bool clampEdges)
{
    // u16, v16: the position in 1/65536 pixels (pixel centres at .5). The
    // sample grid is in 1/256 steps, rounded, so positions a hair off a
    // pixel centre sample that pixel alone.
    const int64_t qU = (u16 - 32768 + 128) >> 8;
    const int64_t qV = (v16 - 32768 + 128) >> 8;
    int32_t x0 = int32_t(qU >> 8);
    int32_t y0 = int32_t(qV >> 8);
    uint32_t ax = uint32_t(qU & 0xFF);
    uint32_t ay = uint32_t(qV & 0xFF);
    if (clampEdges)
    {
        // Edge pixels extend outwards instead of fading to transparent.
        auto clampTo = [](int32_t v0, uint32_t& a, int32_t n)
        {
            if (v0 < 0)
            {
                a = 0;
                return 0;
            }
            if (v0 >= n - 1)
            {
                a = 0;
                return n - 1;
            }
            return v0;
        };
        x0 = clampTo(x0, ax, w);
        y0 = clampTo(y0, ay, h);
    }
    const uint32_t wx[2] = {256 - ax, ax};
    const uint32_t wy[2] = {256 - ay, ay};
    // Four opaque neighbours inside the block: a plain packed interpolation.
    if (x0 >= 0 && y0 >= 0 && x0 + 1 < w && y0 + 1 < h)
    {
        const uint32_t* r0 = base + int64_t(y0) * stride + x0;
        const uint32_t* r1 = r0 + stride;
        const uint32_t p00 = r0[0], p01 = r0[1], p10 = r1[0], p11 = r1[1];
        if (((p00 & p01 & p10 & p11) >> 24) == 255)
        {
            auto lerp = [](uint32_t a, uint32_t b, uint32_t t)
            {
                const uint32_t it = 256 - t;
                return ((((a & 0x00FF00FFu) * it + (b & 0x00FF00FFu) * t) >> 8) & 0x00FF00FFu) |
                       ((((a & 0x0000FF00u) * it + (b & 0x0000FF00u) * t) >> 8) & 0x0000FF00u);
            };
            return 0xFF000000u | lerp(lerp(p00, p01, ax), lerp(p10, p11, ax), ay);
        }
    }
    // Colours weighted by weight x alpha, so transparent neighbours lend no
    // colour. Full weight is 65536 x 255.
    uint64_t sa = 0, sr = 0, sg = 0, sb = 0;
    for (int j = 0; j < 2; ++j)
    {
        const int32_t yy = y0 + j;
        if (yy < 0 || yy >= h || wy[j] == 0)
        {
            continue;
        }
        const uint32_t* row = base + int64_t(yy) * stride;
        for (int i = 0; i < 2; ++i)
        {
            const int32_t xx = x0 + i;
            if (xx < 0 || xx >= w || wx[i] == 0)
            {
                continue;
            }
            const uint32_t p = row[xx];
            const uint64_t wt = uint64_t(wx[i] * wy[j]) * (p >> 24);
            sa += wt;
            sr += wt * ((p >> 16) & 0xFF);
            sg += wt * ((p >> 8) & 0xFF);
            sb += wt * (p & 0xFF);
        }
    }
    constexpr uint64_t Full = uint64_t(65536) * 255;
    if (sa < 32768)
    {
        return 0;
    }
    if (sa == Full)
    {
        return 0xFF000000u | uint32_t(((sr + Full / 2) / Full) << 16) | uint32_t(((sg + Full / 2) / Full) << 8) |
               uint32_t((sb + Full / 2) / Full);
    }
    const uint32_t a = uint32_t(std::min<uint64_t>((sa + 32768) >> 16, 255));
    const uint64_t inv = (uint64_t(1) << 32) / sa;
    const uint32_t r = uint32_t(std::min<uint64_t>(255, (sr * inv + (uint64_t(1) << 31)) >> 32));
    const uint32_t g = uint32_t(std::min<uint64_t>(255, (sg * inv + (uint64_t(1) << 31)) >> 32));
    const uint32_t bl = uint32_t(std::min<uint64_t>(255, (sb * inv + (uint64_t(1) << 31)) >> 32));
    return (a << 24) | (r << 16) | (g << 8) | bl;
}

MemoryImage* AsMemory(Image& img)
{
    return dynamic_cast<MemoryImage*>(&img);
}

} // namespace

MemoryImage::MemoryImage(const MemoryImage& other)
    : Image(other), pixels(other.pixels), changeCount(other.changeCount), palette(other.palette),
      paletteIndices(other.paletteIndices), alphaFlagsForced(other.alphaFlagsForced),
      hasTransparent(other.hasTransparent), hasTranslucent(other.hasTranslucent), transient(other.transient),
      imageFlags(other.imageFlags), alphaFlagsValid(other.alphaFlagsValid)
{
}

MemoryImage& MemoryImage::operator=(const MemoryImage& other)
{
    if (this != &other)
    {
        Image::operator=(other);
        pixels = other.pixels;
        changeCount = other.changeCount + 1;
        palette = other.palette;
        paletteIndices = other.paletteIndices;
        alphaFlagsForced = other.alphaFlagsForced;
        hasTransparent = other.hasTransparent;
        hasTranslucent = other.hasTranslucent;
        transient = other.transient;
        imageFlags = other.imageFlags;
        alphaFlagsValid = other.alphaFlagsValid;
        runsValid = false;
    }
    return *this;
}

bool MemoryImage::SizeAllowed(int64_t w, int64_t h)
{
    return w >= 0 && h >= 0 && w <= MaxDimension && h <= MaxDimension && w * h <= MaxPixels;
}

void MemoryImage::DropCaches()
{
    if (!alphaFlagsForced)
    {
        alphaFlagsValid = false;
    }
    runsValid = false;
}

void MemoryImage::PixelsChanged()
{
    ++changeCount;
    if (!pixels.empty())
    {
        // The pixel form is the one written; a palette form is stale now.
        palette.clear();
        paletteIndices.clear();
    }
    DropCaches();
}

void MemoryImage::ScanAlpha()
{
    if (alphaFlagsForced)
    {
        return;
    }
    bool trans = false;
    bool translucent = false;
    if (!pixels.empty())
    {
        for (uint32_t p : pixels)
        {
            const uint32_t a = p >> 24;
            if (a == 0)
            {
                trans = true;
            }
            else if (a != 255)
            {
                translucent = true;
            }
            if (trans && translucent)
            {
                break;
            }
        }
    }
    else if (!palette.empty())
    {
        for (uint32_t p : palette)
        {
            const uint32_t a = p >> 24;
            trans |= a == 0;
            translucent |= a != 0 && a != 255;
        }
    }
    else
    {
        trans = true;
    }
    hasTransparent = trans;
    hasTranslucent = translucent;
    alphaFlagsValid = true;
}

bool MemoryImage::HasTransparent()
{
    if (!alphaFlagsForced && !alphaFlagsValid)
    {
        ScanAlpha();
    }
    return hasTransparent;
}

bool MemoryImage::HasTranslucent()
{
    if (!alphaFlagsForced && !alphaFlagsValid)
    {
        ScanAlpha();
    }
    return hasTranslucent;
}

void MemoryImage::ForceAlphaFlags(bool hasTrans, bool hasAlpha)
{
    alphaFlagsForced = true;
    alphaFlagsValid = true;
    hasTransparent = hasTrans;
    hasTranslucent = hasAlpha;
}

void MemoryImage::SetTransient(bool value)
{
    transient = value;
}

void MemoryImage::DropPalette()
{
    if (palette.empty())
    {
        return;
    }
    if (pixels.empty())
    {
        BuildPixelsFromPalette();
    }
    palette.clear();
    paletteIndices.clear();
}

void MemoryImage::BuildPixelsFromPalette()
{
    const size_t n = size_t(width) * size_t(height);
    if (palette.size() != 256 || paletteIndices.size() != n)
    {
        return;
    }
    pixels.resize(n);
    for (size_t i = 0; i < n; ++i)
    {
        pixels[i] = palette[paletteIndices[i]];
    }
}

uint32_t* MemoryImage::GetPixels()
{
    if (pixels.empty() && !palette.empty())
    {
        BuildPixelsFromPalette();
    }
    return pixels.empty() ? nullptr : pixels.data();
}

uint32_t MemoryImage::GetPixel(int32_t x, int32_t y)
{
    if (x < 0 || y < 0 || x >= width || y >= height)
    {
        return 0;
    }
    const uint32_t* p = GetPixels();
    return p != nullptr ? p[size_t(y) * size_t(width) + size_t(x)] : 0;
}

void MemoryImage::ClearAll()
{
    if (GetPixels() == nullptr)
    {
        return;
    }
    std::fill(pixels.begin(), pixels.end(), 0u);
    PixelsChanged();
}

void MemoryImage::SetPixels(const uint32_t* src, int32_t w, int32_t h, bool)
{
    if (!SizeAllowed(w, h))
    {
        return;
    }
    width = w;
    height = h;
    const size_t n = size_t(w) * size_t(h);
    palette.clear();
    paletteIndices.clear();
    if (src != nullptr)
    {
        pixels.assign(src, src + n);
    }
    else
    {
        pixels.assign(n, 0u);
    }
    PixelsChanged();
}

void MemoryImage::Allocate(int32_t w, int32_t h)
{
    pixels.clear();
    palette.clear();
    paletteIndices.clear();
    if (!SizeAllowed(w, h))
    {
        w = 0;
        h = 0;
    }
    width = w;
    height = h;
    pixels.assign(size_t(w) * size_t(h), 0u);
    ++changeCount;
    runsValid = false;
    hasTransparent = true;
    hasTranslucent = true;
    alphaFlagsValid = true;
}

bool MemoryImage::ReduceToPalette()
{
    ScanAlpha();
    if (!palette.empty())
    {
        return true;
    }
    if (pixels.empty())
    {
        return false;
    }
    // Sorted (word, index) pairs of the words seen so far.
    std::vector<std::pair<uint32_t, uint8_t>> seen;
    seen.reserve(256);
    std::vector<uint32_t> newPalette(256, 0u);
    std::vector<uint8_t> indices(pixels.size());
    size_t count = 0;
    uint32_t lastWord = 0;
    uint8_t lastIndex = 0;
    bool haveLast = false;
    for (size_t i = 0; i < pixels.size(); ++i)
    {
        const uint32_t p = pixels[i];
        if (haveLast && p == lastWord)
        {
            indices[i] = lastIndex;
            continue;
        }
        auto it = std::lower_bound(seen.begin(), seen.end(), p,
                                   [](const std::pair<uint32_t, uint8_t>& e, uint32_t v) { return e.first < v; });
        uint8_t index;
        if (it != seen.end() && it->first == p)
        {
            index = it->second;
        }
        else
        {
            if (count == 256)
            {
                return false;
            }
            index = uint8_t(count);
            newPalette[count++] = p;
            seen.insert(it, {p, index});
        }
        indices[i] = index;
        lastWord = p;
        lastIndex = index;
        haveLast = true;
    }
    palette = std::move(newPalette);
    paletteIndices = std::move(indices);
    pixels.clear();
    pixels.shrink_to_fit();
    runsValid = false;
    runData.clear();
    runRowStart.clear();
    return true;
}

void MemoryImage::EnsureRuns()
{
    if (runsValid)
    {
        return;
    }
    runData.clear();
    runRowStart.clear();
    const uint32_t* p = GetPixels();
    if (p == nullptr)
    {
        runRowStart.assign(size_t(height) + 1, 0u);
        runsValid = true;
        return;
    }
    runRowStart.reserve(size_t(height) + 1);
    for (int32_t y = 0; y < height; ++y)
    {
        runRowStart.push_back(uint32_t(runData.size()));
        const uint32_t* row = p + size_t(y) * size_t(width);
        int32_t x = 0;
        while (x < width)
        {
            const uint32_t a = row[x] >> 24;
            const uint32_t kind = a == 0 ? RunTransparent : (a == 255 ? RunOpaque : RunTranslucent);
            int32_t end = x + 1;
            while (end < width)
            {
                const uint32_t b = row[end] >> 24;
                const uint32_t k2 = b == 0 ? RunTransparent : (b == 255 ? RunOpaque : RunTranslucent);
                if (k2 != kind)
                {
                    break;
                }
                ++end;
            }
            runData.push_back((uint32_t(end - x) << 2) | kind);
            x = end;
        }
    }
    runRowStart.push_back(uint32_t(runData.size()));
    runsValid = true;
}

void MemoryImage::FillRect(const Rect& rect, const Color& color, int32_t)
{
    const Rect r = rect.Intersection(Rect(0, 0, width, height));
    if (r.IsEmpty() || GetPixels() == nullptr)
    {
        return;
    }
    const uint32_t a = Color::Clamp8(color.alpha);
    if (a == 0)
    {
        return;
    }
    const uint32_t c = color.ToInt();
    for (int32_t y = r.y; y < r.y + r.height; ++y)
    {
        uint32_t* d = pixels.data() + size_t(y) * size_t(width) + size_t(r.x);
        if (a == 255)
        {
            std::fill(d, d + r.width, c);
        }
        else
        {
            // Over an opaque row (the usual case: the screen) the weight is
            // the colour's alpha for every pixel; this loop has no branches
            // and vectorises.
            uint32_t allOpaque = 0xFF000000u;
            for (int32_t i = 0; i < r.width; ++i)
            {
                allOpaque &= d[i];
            }
            if (allOpaque == 0xFF000000u)
            {
                const uint32_t crb = (c & 0x00FF00FFu) * a;
                const uint32_t cg = (c & 0x0000FF00u) * a;
                const uint32_t iw = 256 - a;
                for (int32_t i = 0; i < r.width; ++i)
                {
                    const uint32_t dv = d[i];
                    d[i] = 0xFF000000u | (((crb + (dv & 0x00FF00FFu) * iw) >> 8) & 0x00FF00FFu) |
                           (((cg + (dv & 0x0000FF00u) * iw) >> 8) & 0x0000FF00u);
                }
            }
            else
            {
                for (int32_t i = 0; i < r.width; ++i)
                {
                    BlendPixel(d + i, c, a);
                }
            }
        }
    }
    PixelsChanged();
}

void MemoryImage::ClearArea(const Rect& rect)
{
    const Rect r = rect.Intersection(Rect(0, 0, width, height));
    if (r.IsEmpty() || GetPixels() == nullptr)
    {
        return;
    }
    for (int32_t y = r.y; y < r.y + r.height; ++y)
    {
        uint32_t* d = pixels.data() + size_t(y) * size_t(width) + size_t(r.x);
        std::fill(d, d + r.width, 0u);
    }
    PixelsChanged();
}

void MemoryImage::FillSpans(const Span* spans, int32_t count, const Color& color, int32_t blendMode)
{
    Image::FillSpans(spans, count, color, blendMode);
}

void MemoryImage::DrawLine(double x1, double y1, double x2, double y2, const Color& color, int32_t)
{
    const uint32_t a = Color::Clamp8(color.alpha);
    if (a == 0 || GetPixels() == nullptr || !std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) ||
        !std::isfinite(y2))
    {
        return;
    }
    const uint32_t c = color.ToInt();
    // Clip the segment to the image (pixel centres at whole coordinates,
    // so the image spans -0.5 .. size - 0.5), Liang-Barsky style.
    double t0 = 0.0, t1 = 1.0;
    const double ddx = x2 - x1;
    const double ddy = y2 - y1;
    const double p[4] = {-ddx, ddx, -ddy, ddy};
    const double q[4] = {x1 + 0.5, double(width) - 0.5 - x1, y1 + 0.5, double(height) - 0.5 - y1};
    for (int k = 0; k < 4; ++k)
    {
        if (p[k] == 0.0)
        {
            if (q[k] < 0.0)
            {
                return;
            }
            continue;
        }
        const double r = q[k] / p[k];
        if (p[k] < 0.0)
        {
            t0 = std::max(t0, r);
        }
        else
        {
            t1 = std::min(t1, r);
        }
    }
    if (t0 > t1)
    {
        return;
    }
    const double sx = x1 + ddx * t0;
    const double sy = y1 + ddy * t0;
    const double dx = ddx * (t1 - t0);
    const double dy = ddy * (t1 - t0);
    x1 = sx;
    y1 = sy;
    const double span = std::max(std::fabs(dx), std::fabs(dy));
    const int64_t steps = int64_t(std::ceil(span));
    bool touched = false;
    for (int64_t i = 0; i <= steps; ++i)
    {
        const double t = steps == 0 ? 0.0 : double(i) / double(steps);
        const int64_t px = int64_t(std::floor(x1 + dx * t + 0.5));
        const int64_t py = int64_t(std::floor(y1 + dy * t + 0.5));
        if (px < 0 || py < 0 || px >= width || py >= height)
        {
            continue;
        }
        uint32_t* d = pixels.data() + size_t(py) * size_t(width) + size_t(px);
        if (a == 255)
        {
            *d = c;
        }
        else
        {
            BlendPixel(d, c, a);
        }
        touched = true;
    }
    if (touched)
    {
        PixelsChanged();
    }
}

void MemoryImage::BlitImage(Image& srcImage, int32_t x, int32_t y, const Rect& srcRectIn, const Color& modulation,
                            int32_t blendMode)
{
    if (blendMode != BLENDMODE_NORMAL && blendMode != BLENDMODE_ADDITIVE)
    {
        return;
    }
    MemoryImage* src = AsMemory(srcImage);
    if (src == nullptr || src->GetPixels() == nullptr || GetPixels() == nullptr)
    {
        return;
    }
    // Source rectangle inside the source, then destination inside this image.
    Rect s = srcRectIn.Intersection(Rect(0, 0, src->width, src->height));
    int64_t dx = int64_t(x) + (s.x - srcRectIn.x);
    int64_t dy = int64_t(y) + (s.y - srcRectIn.y);
    if (s.IsEmpty())
    {
        return;
    }
    const int64_t left = std::max<int64_t>(dx, 0);
    const int64_t top = std::max<int64_t>(dy, 0);
    const int64_t right = std::min<int64_t>(dx + s.width, width);
    const int64_t bottom = std::min<int64_t>(dy + s.height, height);
    if (right <= left || bottom <= top)
    {
        return;
    }
    const int32_t sx0 = int32_t(s.x + (left - dx));
    const int32_t sy0 = int32_t(s.y + (top - dy));
    const int32_t w = int32_t(right - left);
    const int32_t h = int32_t(bottom - top);
    const Modulation m(modulation);
    if (m.a == 0)
    {
        return;
    }
    const bool self = src == this;
    std::vector<uint32_t> copy;
    if (self)
    {
        copy = pixels;
    }
    const uint32_t* sp = self ? copy.data() : src->pixels.data();
    if (!self)
    {
        src->EnsureRuns();
    }
    // Modulated channels and coverage by table: cheaper than three
    // multiplications per pixel once a blit covers more than a few pixels.
    struct ModTable
    {
        uint32_t red[256], green[256], blue[256], alpha[256];
    } table;
    if (!m.white)
    {
        for (uint32_t v = 0; v < 256; ++v)
        {
            table.red[v] = Div255(v * m.r) << 16;
            table.green[v] = Div255(v * m.g) << 8;
            table.blue[v] = Div255(v * m.b);
            table.alpha[v] = m.a == 255 ? v : Div255(v * m.a);
        }
    }
    for (int32_t row = 0; row < h; ++row)
    {
        const uint32_t* srow = sp + size_t(sy0 + row) * size_t(src->width);
        // Destination pixel of source column i is dbase[i - sx0].
        uint32_t* dbase = pixels.data() + size_t(top + row) * size_t(width) + size_t(left);
        if (self)
        {
            for (int32_t i = sx0; i < sx0 + w; ++i)
            {
                PutPixel(dbase + (i - sx0), srow[i], m, blendMode);
            }
            continue;
        }
        // Walk the row's runs, clipped to [sx0, sx0 + w).
        const uint32_t* run = src->runData.data() + src->runRowStart[size_t(sy0 + row)];
        const uint32_t* runEnd = src->runData.data() + src->runRowStart[size_t(sy0 + row) + 1];
        int32_t pos = 0;
        const int32_t end = sx0 + w;
        for (; run != runEnd && pos < end; ++run)
        {
            const int32_t len = int32_t(*run >> 2);
            const uint32_t kind = *run & 3u;
            const int32_t a = std::max(pos, sx0);
            const int32_t b = std::min(pos + len, end);
            pos += len;
            if (a >= b || kind == RunTransparent)
            {
                continue;
            }
            uint32_t* d = dbase + (a - sx0);
            if (kind == RunOpaque && m.white && blendMode == BLENDMODE_NORMAL)
            {
                std::memcpy(d, srow + a, size_t(b - a) * sizeof(uint32_t));
                continue;
            }
            if (m.white)
            {
                if (blendMode == BLENDMODE_NORMAL)
                {
                    for (int32_t i = a; i < b; ++i, ++d)
                    {
                        BlendPixel(d, srow[i], srow[i] >> 24);
                    }
                }
                else if (kind == RunOpaque)
                {
                    for (int32_t i = a; i < b; ++i, ++d)
                    {
                        AddPixel(d, srow[i], 255);
                    }
                }
                else
                {
                    for (int32_t i = a; i < b; ++i, ++d)
                    {
                        AddPixel(d, srow[i], srow[i] >> 24);
                    }
                }
                continue;
            }
            for (int32_t i = a; i < b; ++i, ++d)
            {
                const uint32_t sv = srow[i];
                const uint32_t k = table.alpha[sv >> 24];
                if (k == 0)
                {
                    continue;
                }
                const uint32_t mod =
                    table.red[(sv >> 16) & 0xFF] | table.green[(sv >> 8) & 0xFF] | table.blue[sv & 0xFF];
                if (blendMode == BLENDMODE_NORMAL)
                {
                    BlendPixel(d, mod, k);
                }
                else
                {
                    AddPixel(d, mod, k);
                }
            }
        }
    }
    PixelsChanged();
}

namespace
{

// Draws srcRect of src through `forward` (source pixels relative to srcRect's
// top-left -> destination pixels) into dst, limited to clip.
void TransformBlit(MemoryImage& dst, MemoryImage& src, const Rect& srcRect, const Matrix3& forward, const Rect& clip,
                   const Color& modulation, int32_t blendMode, bool bilinear, bool clampEdges = false)
{
    if (blendMode != BLENDMODE_NORMAL && blendMode != BLENDMODE_ADDITIVE)
    {
        return;
    }
    const Rect s = srcRect.Intersection(Rect(0, 0, src.width, src.height));
    if (s != srcRect || s.IsEmpty())
    {
        if (s.IsEmpty())
        {
            return;
        }
    }
    const uint32_t* sp = src.GetPixels();
    if (sp == nullptr || dst.GetPixels() == nullptr)
    {
        return;
    }
    const Modulation m(modulation);
    if (m.a == 0)
    {
        return;
    }
    Matrix3 inv;
    if (!forward.Inverse(inv))
    {
        return;
    }
    // Bounding box of the transformed rectangle (in srcRect-local terms, so a
    // srcRect hanging outside the source still maps as the caller meant).
    const float ox = float(s.x - srcRect.x);
    const float oy = float(s.y - srcRect.y);
    const float cx[4] = {ox, ox + float(s.width), ox, ox + float(s.width)};
    const float cy[4] = {oy, oy, oy + float(s.height), oy + float(s.height)};
    double minX = 1e30, minY = 1e30, maxX = -1e30, maxY = -1e30;
    for (int i = 0; i < 4; ++i)
    {
        float tx, ty;
        forward.Transform(cx[i], cy[i], tx, ty);
        if (!std::isfinite(tx) || !std::isfinite(ty))
        {
            return;
        }
        minX = std::min<double>(minX, tx);
        minY = std::min<double>(minY, ty);
        maxX = std::max<double>(maxX, tx);
        maxY = std::max<double>(maxY, ty);
    }
    Rect area = clip.Intersection(Rect(0, 0, dst.width, dst.height));
    if (area.IsEmpty())
    {
        return;
    }
    const double bx0 = std::max<double>(area.x, std::floor(minX) - 1);
    const double by0 = std::max<double>(area.y, std::floor(minY) - 1);
    const double bx1 = std::min<double>(double(area.x) + area.width, std::ceil(maxX) + 1);
    const double by1 = std::min<double>(double(area.y) + area.height, std::ceil(maxY) + 1);
    if (bx1 <= bx0 || by1 <= by0)
    {
        return;
    }
    const int32_t x0 = int32_t(bx0), y0 = int32_t(by0), x1 = int32_t(bx1), y1 = int32_t(by1);
    const uint32_t* base = sp + size_t(s.y) * size_t(src.width) + size_t(s.x);
    const int32_t stride = src.width;
    const double a00 = inv.m[0][0], a01 = inv.m[0][1], a02 = inv.m[0][2];
    const double a10 = inv.m[1][0], a11 = inv.m[1][1], a12 = inv.m[1][2];
    // Source positions step along a row in 16.16 fixed point; values are
    // clamped far outside any image so the stepping cannot overflow.
    auto toFixed = [](double v) { return int64_t(std::clamp(v, -1e12, 1e12) * 65536.0); };
    const int64_t du = toFixed(a00);
    const int64_t dv = toFixed(a10);
    const int64_t one = 65536;
    const int64_t half = 32768;
    const int64_t wFix = int64_t(s.width) * one;
    const int64_t hFix = int64_t(s.height) * one;
    uint32_t* dp = dst.pixels.data();
    bool touched = false;
    for (int32_t py = y0; py < y1; ++py)
    {
        const double fy = py + 0.5;
        int64_t u = toFixed(a00 * (x0 + 0.5) + a01 * fy + a02 - ox);
        int64_t v = toFixed(a10 * (x0 + 0.5) + a11 * fy + a12 - oy);
        uint32_t* drow = dp + size_t(py) * size_t(dst.width);
        for (int32_t px = x0; px < x1; ++px, u += du, v += dv)
        {
            uint32_t sv;
            if (bilinear)
            {
                if (clampEdges ? (u < 0 || v < 0 || u >= wFix || v >= hFix)
                               : (u <= -half || v <= -half || u >= wFix + half || v >= hFix + half))
                {
                    continue;
                }
                sv = SampleBilinear(base, stride, s.width, s.height, u, v, clampEdges);
            }
            else
            {
                if (u < 0 || v < 0 || u >= wFix || v >= hFix)
                {
                    continue;
                }
                sv = base[size_t(v >> 16) * size_t(stride) + size_t(u >> 16)];
            }
            if ((sv >> 24) == 0)
            {
                continue;
            }
            PutPixel(drow + px, sv, m, blendMode);
            touched = true;
        }
    }
    if (touched)
    {
        dst.PixelsChanged();
    }
}

} // namespace

void MemoryImage::BlitSubpixel(Image& src, float x, float y, const Rect& srcRect, const Rect& clip,
                               const Color& modulation, int32_t blendMode)
{
    BlitRotated(src, x, y, srcRect, clip, modulation, blendMode, 0.0, 0.0f, 0.0f);
}

void MemoryImage::BlitRotated(Image& srcImage, float x, float y, const Rect& srcRect, const Rect& clip,
                              const Color& modulation, int32_t blendMode, double angle, float centreX, float centreY)
{
    MemoryImage* src = AsMemory(srcImage);
    if (src == nullptr || srcRect.IsEmpty())
    {
        return;
    }
    const Matrix3 forward = Matrix3::Translation(x + centreX, y + centreY) * Matrix3::Rotation(float(angle)) *
                            Matrix3::Translation(-centreX, -centreY);
    if (src == this)
    {
        MemoryImage copy(*src);
        TransformBlit(*this, copy, srcRect, forward, clip, modulation, blendMode, true);
        return;
    }
    TransformBlit(*this, *src, srcRect, forward, clip, modulation, blendMode, true);
}

void MemoryImage::BlitStretched(Image& srcImage, const Rect& destRect, const Rect& srcRect, const Rect& clip,
                                const Color& modulation, int32_t blendMode, bool fastStretch)
{
    MemoryImage* src = AsMemory(srcImage);
    if (src == nullptr || destRect.IsEmpty() || srcRect.IsEmpty() ||
        (blendMode != BLENDMODE_NORMAL && blendMode != BLENDMODE_ADDITIVE))
    {
        return;
    }
    if (!Rect(0, 0, src->width, src->height).ContainsRect(srcRect))
    {
        return;
    }
    const Rect area = clip.Intersection(destRect).Intersection(Rect(0, 0, width, height));
    if (area.IsEmpty())
    {
        return;
    }
    std::unique_ptr<MemoryImage> selfCopy;
    if (src == this)
    {
        selfCopy = std::make_unique<MemoryImage>(*src);
        src = selfCopy.get();
    }
    // The point-sampled path; other modulations go through the smooth path,
    // so such images are drawn rather than dropped.
    if (fastStretch && modulation.IsOpaqueWhite())
    {
        const uint32_t* sp = src->GetPixels();
        if (sp == nullptr || GetPixels() == nullptr)
        {
            return;
        }
        const Modulation m(modulation);
        std::vector<int32_t> xmap(size_t(area.width));
        for (int32_t i = 0; i < area.width; ++i)
        {
            xmap[size_t(i)] = srcRect.x + int32_t(int64_t(area.x + i - destRect.x) * srcRect.width / destRect.width);
        }
        for (int32_t py = area.y; py < area.y + area.height; ++py)
        {
            const int32_t sy = srcRect.y + int32_t(int64_t(py - destRect.y) * srcRect.height / destRect.height);
            const uint32_t* srow = sp + size_t(sy) * size_t(src->width);
            uint32_t* drow = pixels.data() + size_t(py) * size_t(width) + size_t(area.x);
            for (int32_t i = 0; i < area.width; ++i)
            {
                PutPixel(drow + i, srow[xmap[size_t(i)]], m, blendMode);
            }
        }
        PixelsChanged();
        return;
    }
    const Matrix3 forward =
        Matrix3::Translation(float(destRect.x), float(destRect.y)) *
        Matrix3::Scaling(float(destRect.width) / float(srcRect.width), float(destRect.height) / float(srcRect.height));
    TransformBlit(*this, *src, srcRect, forward, area, modulation, blendMode, true, true);
}

void MemoryImage::BlitTransformed(Image& srcImage, float x, float y, const Matrix3& matrix, const Rect& clip,
                                  const Color& modulation, int32_t blendMode, const Rect& srcRect, bool linearBlend)
{
    MemoryImage* src = AsMemory(srcImage);
    if (src == nullptr || srcRect.IsEmpty())
    {
        return;
    }
    const Matrix3 forward = Matrix3::Translation(x, y) * matrix *
                            Matrix3::Translation(-float(srcRect.width) / 2.0f, -float(srcRect.height) / 2.0f);
    if (src == this)
    {
        MemoryImage copy(*src);
        TransformBlit(*this, copy, srcRect, forward, clip, modulation, blendMode, linearBlend);
        return;
    }
    TransformBlit(*this, *src, srcRect, forward, clip, modulation, blendMode, linearBlend);
}

} // namespace Framework
