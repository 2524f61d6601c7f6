// GIF header parsing and LZW decoding. Each code's string is copied from the string table
// into a row of colour indices, a chunk of pixels per table entry, and the finished row goes
// through the palette into the output; a string that runs past the end of the row waits for
// the next. Every byte is read through a check against the data length.
#include "gif/gif_decoder.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

constexpr uint32_t kTableSize = 4096;  // entries; 12-bit codes
constexpr uint8_t kMaxCodeSize = 12;   // bits

// The four interlace passes: first row and row step.
constexpr int kPassStart[4] = {0, 4, 2, 1};
constexpr int kPassStep[4] = {8, 8, 4, 2};

// The three output formats: each writes the pixel of a colour index.
struct Write565 {
    uint16_t* out;
    const uint16_t* palette;
    void put(int32_t x, uint8_t value) const { out[x] = palette[value]; }
};

struct Write32 {
    uint32_t* out;
    const uint32_t* palette;
    void put(int32_t x, uint8_t value) const { out[x] = palette[value]; }
};

struct WriteRgb {
    uint8_t* out;
    const uint8_t (*palette)[4];
    void put(int32_t x, uint8_t value) const {
        uint8_t* p = out + 3 * static_cast<size_t>(x);
        p[0] = palette[value][2];
        p[1] = palette[value][1];
        p[2] = palette[value][0];
    }
};

}  // namespace

GifDecoder::GifDecoder() = default;
GifDecoder::~GifDecoder() = default;

void GifDecoder::setData(const uint8_t* data, size_t size) {
    data_ = data;
    // The input offset is 32-bit; bytes beyond 4 GiB are never reached.
    size_ = data ? std::min<size_t>(size, UINT32_MAX) : 0;
}

bool GifDecoder::takeByte(uint8_t* value) {
    if (inputOffset_ >= size_) return false;
    *value = data_[inputOffset_++];
    return true;
}

bool GifDecoder::takeWord(int32_t* value) {
    uint8_t lo, hi;
    if (!takeByte(&lo) || !takeByte(&hi)) return false;
    *value = static_cast<int16_t>(lo | (hi << 8));
    return true;
}

bool GifDecoder::readColorTable(int packed) {
    const uint32_t count = 2u << (packed & 7);
    if (size_ - inputOffset_ < 3 * count) return false;
    std::memset(info_->palette, 0, sizeof info_->palette);
    const uint8_t* rgb = data_ + inputOffset_;
    for (uint32_t i = 0; i < count; ++i) {
        info_->palette[i][0] = rgb[3 * i + 2];
        info_->palette[i][1] = rgb[3 * i + 1];
        info_->palette[i][2] = rgb[3 * i];
        info_->palette[i][3] = 0;
    }
    inputOffset_ += 3 * count;
    info_->colorCount = static_cast<int32_t>(count);
    return true;
}

bool GifDecoder::skipSubBlocks() {
    for (;;) {
        uint8_t length;
        if (!takeByte(&length)) return false;
        if (length == 0) return true;
        if (size_ - inputOffset_ < length) return false;
        inputOffset_ += length;
    }
}

bool GifDecoder::hasSignature(const uint8_t* data, size_t size) {
    return size >= 6 && data[0] == 'G' && data[1] == 'I' && data[2] == 'F' &&
           (data[4] == '7' || data[4] == '9');
}

bool GifDecoder::parseHeader() {
    if (size_ < 13 || !hasSignature(data_, size_)) return false;
    inputOffset_ = 13;
    if ((data_[10] & 0x80) && !readColorTable(data_[10])) return false;
    for (;;) {
        uint8_t block;
        if (!takeByte(&block)) return false;
        if (block == 0x2C) break;
        if (block == 0x3B) return false;  // the trailer: the file holds no image
        if (block != 0x21) continue;
        uint8_t label;
        if (!takeByte(&label)) return false;
        if (label == 0xF9) {
            // Graphic control: block size, four data bytes, terminator; none of it is used.
            if (size_ - inputOffset_ < 6) return false;
            inputOffset_ += 6;
        } else if (!skipSubBlocks()) {
            return false;
        }
    }
    int32_t left, top, width, height;
    uint8_t packed;
    if (!takeWord(&left) || !takeWord(&top) || !takeWord(&width) || !takeWord(&height) ||
        !takeByte(&packed))
        return false;
    if (width <= 0 || height <= 0) return false;
    if (int64_t{width} * height > kGifMaxPixels) {
        refusedWidth_ = width;
        refusedHeight_ = height;
        return false;
    }
    interlaced_ = (packed & 0x40) != 0;
    if ((packed & 0x80) && !readColorTable(packed)) return false;
    info_->width = width;
    info_->height = height;
    return true;
}

void GifDecoder::buildOutputPalettes() {
    for (int i = 0; i < 256; ++i) {
        const uint32_t b = info_->palette[i][0], g = info_->palette[i][1], r = info_->palette[i][2];
        palette565_[i] = static_cast<uint16_t>(((r & 0xF8) << 8) | ((g & 0xFC) << 3) | (b >> 3));
        palette32_[i] = (r << 16) | (g << 8) | b;
    }
}

bool GifDecoder::decodeImage(const uint8_t* data, size_t size, void* destination, int bytesPerPixel,
                             int32_t* width, int32_t* height, bool wantPixels) {
    releaseCodeTables();
    setData(data, size);
    interlaced_ = false;
    rowsDelivered_ = 0;
    streamStarted_ = streamEnded_ = streamFailed_ = false;
    refusedWidth_ = refusedHeight_ = 0;
    info_.reset(new (std::nothrow) GifImageInfo());
    if (!info_ || !parseHeader()) {
        info_.reset();
        return false;
    }
    buildOutputPalettes();
    *width = info_->width;
    *height = info_->height;
    if (!wantPixels) return true;
    if (!destination || bytesPerPixel < 2 || bytesPerPixel > 4) return false;
    const uint32_t descriptorEnd = inputOffset_;
    const bool ok = decodeWhole(static_cast<uint8_t*>(destination), bytesPerPixel);
    inputOffset_ = descriptorEnd;  // a later row-by-row read starts from the image data
    streamStarted_ = streamEnded_ = streamFailed_ = false;
    return ok;
}

bool GifDecoder::refusedAsTooLarge(int32_t* width, int32_t* height) const {
    if (refusedWidth_ == 0) return false;
    *width = refusedWidth_;
    *height = refusedHeight_;
    return true;
}

bool GifDecoder::decodeWhole(uint8_t* destination, int bytesPerPixel) {
    if (!beginCodeStream()) return false;
    const int32_t w = info_->width, h = info_->height;
    const size_t rowBytes = static_cast<size_t>(w) * bytesPerPixel;
    const int passes = interlaced_ ? 4 : 1;
    for (int pass = 0; pass < passes && !streamFailed_; ++pass) {
        const int start = interlaced_ ? kPassStart[pass] : 0;
        const int step = interlaced_ ? kPassStep[pass] : 1;
        for (int32_t r = start; r < h && !streamFailed_; r += step)
            decodeRow(destination + r * rowBytes, w, bytesPerPixel);
    }
    const bool ok = !streamFailed_;
    releaseCodeTables();
    return ok;
}

bool GifDecoder::decodeNextRow(const uint8_t* data, size_t size, uint32_t* row) {
    setData(data, size);
    if (!info_) return false;
    if (streamFailed_ || streamEnded_ || rowsDelivered_ >= static_cast<uint32_t>(info_->height)) {
        releaseCodeTables();
        return false;
    }
    if (!streamStarted_) {
        if (!beginCodeStream()) {
            streamFailed_ = true;
            return false;
        }
    }
    ++rowsDelivered_;
    return decodeRow(row, info_->width, 4);
}

bool GifDecoder::beginCodeStream() {
    uint8_t minCodeSize;
    if (!info_ || !takeByte(&minCodeSize) || minCodeSize < 2 || minCodeSize > 11) return false;
    table_.reset(new (std::nothrow) TableEntry[kTableSize]());
    pending_.reset(new (std::nothrow) uint8_t[kTableSize + kChunk]);
    if (!table_ || !pending_) {
        releaseCodeTables();
        return false;
    }
    code_ = CodeState{};
    code_.clearCode = static_cast<uint16_t>(1u << minCodeSize);
    // The plain colour indices: one pixel each (kept to 8 bits, as the palette has 256).
    for (uint32_t i = 0; i < code_.clearCode; ++i) {
        table_[i].tail[0] = static_cast<uint8_t>(i);
        table_[i].length = 1;
    }
    code_.endCode = code_.clearCode + 1;
    code_.firstFreeCode = code_.clearCode + 2;
    code_.initialCodeSize = minCodeSize + 1;
    code_.clearTable();
    streamStarted_ = true;
    streamEnded_ = streamFailed_ = false;
    return true;
}

void GifDecoder::CodeState::clearTable() {
    codeSize = initialCodeSize;
    codeLimit = static_cast<uint16_t>(1u << codeSize);
    codeMask = codeLimit - 1;
    nextFreeCode = firstFreeCode;
    haveOldCode = false;
}

void GifDecoder::releaseCodeTables() {
    table_.reset();
    pending_.reset();
    row_.reset();
    rowCapacity_ = 0;
    code_.pendingStart = code_.pendingEnd = 0;
}

// Reads the next data sub-block into block_. A zero-length sub-block ends the image data:
// there is nothing more to read.
bool GifDecoder::refillBlock(CodeState& s) {
    uint8_t length;
    if (!takeByte(&length) || length == 0 || size_ - inputOffset_ < length) return false;
    std::memcpy(block_, data_ + inputOffset_, length);
    inputOffset_ += length;
    s.blockLength = length;
    s.blockIndex = 0;
    return true;
}

inline int GifDecoder::nextDataByte(CodeState& s) {
    if (s.blockIndex == s.blockLength && !refillBlock(s)) return -1;
    return block_[s.blockIndex++];
}

inline uint32_t GifDecoder::readCodeFrom(CodeState& s) {
    while (s.bitsHeld < s.bitPosition + s.codeSize) {
        const int byte = nextDataByte(s);
        if (byte < 0) return kNoData;
        s.accumulator |= static_cast<uint32_t>(byte) << s.bitsHeld;
        s.bitsHeld += 8;
    }
    const uint32_t code = (s.accumulator >> s.bitPosition) & s.codeMask;
    s.bitPosition += s.codeSize;
    while (s.bitPosition >= 8) {
        s.accumulator >>= 8;
        s.bitsHeld -= 8;
        s.bitPosition -= 8;
    }
    return code;
}

uint32_t GifDecoder::readCode() {
    CodeState s = code_;
    const uint32_t code = readCodeFrom(s);
    code_ = s;
    return code;
}

// Defines the next free code as the string of `prefix` followed by colour index `last`, and
// widens the codes when the next one needs another bit; once the table is full, nothing.
inline void GifDecoder::addEntry(CodeState& s, uint32_t prefix, uint8_t last) {
    if (s.nextFreeCode >= kTableSize) return;
    const TableEntry& p = table_[prefix];
    TableEntry& e = table_[s.nextFreeCode];
    const uint32_t used = p.length % kChunk;  // pixels in the prefix's tail; 0 when it is full
    if (used != 0) {
        e = p;
        e.tail[used] = last;
    } else {
        e.tail[0] = last;
        e.link = static_cast<uint16_t>(prefix);
    }
    e.length = static_cast<uint16_t>(p.length + 1);
    if (++s.nextFreeCode == s.codeLimit && s.codeSize < kMaxCodeSize) {
        ++s.codeSize;
        s.codeLimit = static_cast<uint16_t>(s.codeLimit << 1);
        s.codeMask = s.codeLimit - 1;
    }
}

// Whether `code` (neither clear nor end) can follow: the first code of a stream or after a
// clear must be a plain colour index, a later one a code the table has or is defining right
// now. That last one, the previous string plus its own first pixel, is defined here.
inline bool GifDecoder::takeCode(CodeState& s, uint32_t code) {
    if (!s.haveOldCode) return code < s.clearCode;
    if (code > s.nextFreeCode) return false;
    if (code == s.nextFreeCode) addEntry(s, s.oldCode, static_cast<uint8_t>(s.firstChar));
    return true;
}

// Copies the string of `code` to `to` (as many colour indices as its length), tail first and
// then a whole chunk per link, each with one store: up to kChunk − 1 bytes past its end are
// overwritten too. Returns its first colour index. Every entry's tail leaves a multiple of
// kChunk pixels to its link, whose code is below its own, so the walk ends at position 0.
inline uint8_t GifDecoder::copyString(uint32_t code, uint8_t* to) const {
    const TableEntry* e = &table_[code];
    uint32_t start = (e->length - 1u) / kChunk * kChunk;  // where the tail goes
    std::memcpy(to + start, e->tail, kChunk);
    while (start > 0) {
        e = &table_[e->link];
        start -= kChunk;
        std::memcpy(to + start, e->tail, kChunk);
    }
    return e->tail[0];
}

template <typename Writer>
bool GifDecoder::decodeRowWith(const Writer& write, int32_t width) {
    uint8_t* row = row_.get();
    uint8_t* pending = pending_.get();
    CodeState s = code_;
    const auto end = static_cast<uint32_t>(width);
    // What the last string left, up to the end of the row.
    uint32_t x = std::min<uint32_t>(s.pendingEnd - s.pendingStart, end);
    std::memcpy(row, pending + s.pendingStart, x);
    s.pendingStart = static_cast<uint16_t>(s.pendingStart + x);
    while (x < end) {
        const uint32_t code = readCodeFrom(s);
        if (code == s.endCode) {
            streamEnded_ = true;
            break;
        }
        if (code == s.clearCode) {
            s.clearTable();
            continue;
        }
        const bool defining = s.haveOldCode && code == s.nextFreeCode;
        if (code == kNoData || !takeCode(s, code)) {
            streamFailed_ = true;
            break;
        }
        // Into the row when the string fits; else whole into the pending pixels, of which
        // the part that fits goes into the row.
        const uint32_t length = table_[code].length, room = end - x;
        uint8_t first;
        if (length <= room) {
            first = copyString(code, row + x);
            x += length;
        } else {
            first = copyString(code, pending);
            std::memcpy(row + x, pending, room);
            s.pendingStart = static_cast<uint16_t>(room);
            s.pendingEnd = static_cast<uint16_t>(length);
            x = end;
        }
        if (s.haveOldCode && !defining) addEntry(s, s.oldCode, first);
        s.oldCode = static_cast<uint16_t>(code);
        s.firstChar = first;
        s.haveOldCode = true;
    }
    for (uint32_t i = 0; i < x; ++i) write.put(static_cast<int32_t>(i), row[i]);
    code_ = s;
    return x == end;
}

// Makes the index row hold `width` pixels and a chunk's overrun; false for a negative width
// or when memory runs out.
bool GifDecoder::reserveRow(int32_t width) {
    if (width < 0) return false;
    if (width <= rowCapacity_) return true;
    row_.reset(new (std::nothrow) uint8_t[static_cast<size_t>(width) + kChunk]);
    rowCapacity_ = row_ ? width : 0;
    return row_ != nullptr;
}

bool GifDecoder::decodeRow(void* out, int32_t width, int bytesPerPixel) {
    if (streamEnded_ || streamFailed_ || !pending_) return false;
    if (!reserveRow(width)) {
        streamFailed_ = true;
        return false;
    }
    switch (bytesPerPixel) {
        case 2:
            return decodeRowWith(Write565{static_cast<uint16_t*>(out), palette565_}, width);
        case 3:
            return decodeRowWith(WriteRgb{static_cast<uint8_t*>(out), info_->palette}, width);
        case 4:
            return decodeRowWith(Write32{static_cast<uint32_t*>(out), palette32_}, width);
        default:
            return false;
    }
}
