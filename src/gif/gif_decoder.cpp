// GIF header parsing and LZW decoding. Codes are expanded onto a pixel stack through the
// string table and popped straight into the output row, so no decoded string is ever
// copied twice. Every byte is read through a check against the data length.
#include "gif/gif_decoder.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

constexpr uint32_t kTableSize = 4096;  // entries; 12-bit codes
constexpr uint32_t kStackSize = 4097;  // entries
constexpr uint8_t kMaxCodeSize = 12;   // bits

// The four interlace passes: first row and row step.
constexpr int kPassStart[4] = {0, 4, 2, 1};
constexpr int kPassStep[4] = {8, 8, 4, 2};

// The three output formats. What goes on the pixel stack is chosen by the format: the
// finished RGB565 pixel where that fits in a stack entry (so popping is a plain copy), else
// the colour index.
struct Write565 {
    uint16_t* out;
    const uint16_t* palette;
    uint16_t stackValue(uint32_t index) const { return palette[index & 0xFF]; }
    void put(int32_t x, uint16_t value) const { out[x] = value; }
};

struct Write32 {
    uint32_t* out;
    const uint32_t* palette;
    uint16_t stackValue(uint32_t index) const { return index & 0xFF; }
    void put(int32_t x, uint16_t value) const { out[x] = palette[value]; }
};

struct WriteRgb {
    uint8_t* out;
    const uint8_t (*palette)[4];
    uint16_t stackValue(uint32_t index) const { return index & 0xFF; }
    void put(int32_t x, uint16_t value) const {
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

bool GifDecoder::parseHeader() {
    if (size_ < 13 || data_[0] != 'G' || data_[1] != 'I' || data_[2] != 'F') return false;
    if (data_[4] != '7' && data_[4] != '9') return false;
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
    stack_.reset(new (std::nothrow) uint16_t[kStackSize]());
    if (!table_ || !stack_) {
        releaseCodeTables();
        return false;
    }
    code_ = CodeState{};
    code_.clearCode = static_cast<uint16_t>(1u << minCodeSize);
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
    stack_.reset();
    code_.stackCount = 0;
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

// Pushes the string of `code` (neither clear nor end) onto the empty stack, first pixel on
// top, and adds the table entry it implies. False for a code the table cannot have made.
template <typename Writer>
inline bool GifDecoder::expandCode(CodeState& s, uint32_t code, const Writer& w) {
    uint16_t* stack = stack_.get();
    if (!s.haveOldCode) {
        // The first code of a stream or after a clear must be a plain colour index.
        if (code >= s.clearCode) return false;
        s.oldCode = s.firstChar = static_cast<uint16_t>(code);
        s.haveOldCode = true;
        stack[0] = w.stackValue(code);
        s.stackCount = 1;
        return true;
    }
    const uint32_t incoming = code;
    uint32_t n = 0;
    if (code >= s.nextFreeCode) {
        if (code > s.nextFreeCode) return false;
        // The string being defined right now: the previous string plus its first pixel.
        stack[n++] = w.stackValue(s.firstChar);
        code = s.oldCode;
    }
    // Every entry's prefix is below the entry itself, so this walk ends and at most 4096
    // entries go on the stack. The walk follows byte offsets (see TableEntry), one load
    // per pixel.
    const uint8_t* table = reinterpret_cast<const uint8_t*>(table_.get());
    const uint32_t clearOffset = uint32_t{s.clearCode} * sizeof(TableEntry);
    uint32_t offset = code * sizeof(TableEntry);
    while (offset >= clearOffset) {
        const TableEntry* entry = reinterpret_cast<const TableEntry*>(table + offset);
        stack[n++] = w.stackValue(entry->suffix);
        offset = entry->prefixOffset;
    }
    code = offset / sizeof(TableEntry);
    s.firstChar = static_cast<uint16_t>(code);
    stack[n++] = w.stackValue(code);
    if (s.nextFreeCode < kTableSize) {
        table_[s.nextFreeCode] = {static_cast<uint16_t>(s.oldCode * sizeof(TableEntry)),
                                  static_cast<uint8_t>(code), 0};
        if (++s.nextFreeCode == s.codeLimit && s.codeSize < kMaxCodeSize) {
            ++s.codeSize;
            s.codeLimit = static_cast<uint16_t>(s.codeLimit << 1);
            s.codeMask = s.codeLimit - 1;
        }
    }
    s.oldCode = static_cast<uint16_t>(incoming);
    s.stackCount = n;
    return true;
}

template <typename Writer>
bool GifDecoder::decodeRowWith(const Writer& write, int32_t width) {
    const uint16_t* stack = stack_.get();
    CodeState s = code_;
    int32_t x = 0;
    bool filled = false;
    for (;;) {
        // Pop what the last string left, up to the end of the row.
        uint32_t n = s.stackCount;
        const uint32_t room = static_cast<uint32_t>(width - x);
        const uint32_t stop = n > room ? n - room : 0;
        while (n > stop) write.put(x++, stack[--n]);
        s.stackCount = n;
        if (x == width) {
            filled = true;
            break;
        }
        const uint32_t code = readCodeFrom(s);
        if (code == s.endCode) {
            streamEnded_ = true;
            break;
        }
        if (code == s.clearCode) {
            s.clearTable();
        } else if (code == kNoData || !expandCode(s, code, write)) {
            streamFailed_ = true;
            break;
        }
    }
    code_ = s;
    return filled;
}

bool GifDecoder::decodeRow(void* out, int32_t width, int bytesPerPixel) {
    if (streamEnded_ || streamFailed_ || !stack_) return false;
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
