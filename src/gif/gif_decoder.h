// The program's own GIF decoder: the first image of a GIF87a/GIF89a file held in memory,
// with its global or local colour table, decoded whole (2, 3 or 4 bytes per pixel, rows top
// to bottom, interlacing undone) or one stored row at a time as 32-bit pixels.
// It ignores animation, image position, transparency indexes and the logical screen; every
// read is bounded by the data length, so a damaged file fails instead of overrunning.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

// What the header parse learns about the image.
struct GifImageInfo {
    int32_t width = 0;       // pixels, from the image descriptor
    int32_t height = 0;      // pixels
    int32_t colorCount = 0;  // entries of the last colour table read (2..256; 0 when none)
    // Entries stored blue, green, red, 0; entries beyond colorCount are black. An image
    // with no colour table at all decodes to black.
    uint8_t palette[256][4] = {};
};

// The widest world map accepted (maps are twice as wide as high), pixels, and so the
// largest image accepted, in pixels (a 16384 × 8192 map).
constexpr int32_t kGifMaxMapWidth = 16384;
constexpr int64_t kGifMaxPixels = int64_t{kGifMaxMapWidth} * (kGifMaxMapWidth / 2);

class GifDecoder {
  public:
    GifDecoder();
    ~GifDecoder();
    GifDecoder(const GifDecoder&) = delete;
    GifDecoder& operator=(const GifDecoder&) = delete;

    // Parses the header of the `size` bytes at `data` and reports the image's width and
    // height (pixels). With `wantPixels` clear it stops there. Otherwise it decodes every row
    // into `destination` (width × height × bytesPerPixel bytes, rows top to bottom, no
    // padding) as RGB565 (2), bytes R, G, B (3) or 0x00RRGGBB words (4). False on a missing
    // signature, a damaged header, a size over kGifMaxPixels or at most 0, no destination,
    // another pixel size, or image data that is damaged or ends before the last row; the
    // destination may then hold some rows. An end code before the last row is not an error:
    // the rows after it are left as they were.
    bool decodeImage(const uint8_t* data, size_t size, void* destination, int bytesPerPixel,
                     int32_t* width, int32_t* height, bool wantPixels);

    // Decodes the next stored row into `row` (width 0x00RRGGBB words); interlaced images
    // come in stored order. Call decodeImage with `wantPixels` clear first, then hand in the
    // same data each time. False for a row that could not be completed (damaged or ended
    // data; every later call is false too) and for every call after the last row, which
    // also releases the code tables.
    bool decodeNextRow(const uint8_t* data, size_t size, uint32_t* row);

    // The header's findings; null before a successful header parse.
    const GifImageInfo* info() const { return info_.get(); }
    // When the last decodeImage refused an image only for being over kGifMaxPixels: true,
    // with the size its descriptor gives (pixels); else false and the outputs untouched.
    bool refusedAsTooLarge(int32_t* width, int32_t* height) const;
    bool interlaced() const { return interlaced_; }
    // True when `data` starts as a GIF file does ("GIF87a" or "GIF89a", as far as the
    // decoder looks), so that a refusal can say whether the file is a GIF file at all.
    static bool hasSignature(const uint8_t* data, size_t size);

    // The steps below are the decoder's own; they are public so that tests can drive a code
    // stream directly.

    // Reads the LZW minimum code size at the recorded input offset and sets up the code
    // tables; false when the byte is missing or outside 2..11.
    bool beginCodeStream();
    // The next code of the stream, least significant bit first; kNoData when the image data
    // ends first (no more sub-blocks, or the file does).
    uint32_t readCode();
    // Decodes `width` pixels into `out` in the format of `bytesPerPixel` (2, 3 or 4). Pixels
    // of a string that runs past the row stay queued for the next row. True when the row was
    // filled; false when the image ended first, the data is damaged or memory ran out.
    bool decodeRow(void* out, int32_t width, int bytesPerPixel);

    static constexpr uint32_t kNoData = 0x10000;

  private:
    void setData(const uint8_t* data, size_t size);
    bool parseHeader();
    bool readColorTable(int packed);
    bool skipSubBlocks();
    bool takeByte(uint8_t* value);
    bool takeWord(int32_t* value);
    struct CodeState;
    int nextDataByte(CodeState& s);
    bool refillBlock(CodeState& s);
    uint32_t readCodeFrom(CodeState& s);
    bool takeCode(CodeState& s, uint32_t code);
    void addEntry(CodeState& s, uint32_t prefix, uint8_t last);
    uint8_t copyString(uint32_t code, uint8_t* to) const;
    bool reserveRow(int32_t width);
    void releaseCodeTables();
    void buildOutputPalettes();
    bool decodeWhole(uint8_t* destination, int bytesPerPixel);
    template <typename Writer>
    bool decodeRowWith(const Writer& write, int32_t width);

    // The data being decoded; set by each public entry.
    const uint8_t* data_ = nullptr;
    size_t size_ = 0;  // bytes

    bool interlaced_ = false;
    std::unique_ptr<GifImageInfo> info_;
    int32_t refusedWidth_ = 0, refusedHeight_ = 0;  // pixels; 0 unless refused for its size
    uint32_t inputOffset_ = 0;    // bytes from the start of the data to the next unread byte
    uint32_t rowsDelivered_ = 0;  // row-by-row mode
    bool streamStarted_ = false;
    bool streamEnded_ = false;   // the end code was read
    bool streamFailed_ = false;  // damaged or truncated data

    // Code-stream state. Row decoding works on a local copy, so that the compiler can hold
    // it in registers while pixels are written.
    struct CodeState {
        uint8_t initialCodeSize = 0, codeSize = 0;  // bits
        uint16_t clearCode = 0, endCode = 0, firstFreeCode = 0, nextFreeCode = 0;
        uint16_t codeLimit = 0, codeMask = 0;
        uint16_t oldCode = 0, firstChar = 0;
        bool haveOldCode = false;  // false at the start of the stream and after a clear code
        // Bit reader.
        uint32_t accumulator = 0;
        uint8_t bitsHeld = 0, bitPosition = 0;  // bits
        // Read position in the current data sub-block (block_).
        uint8_t blockLength = 0, blockIndex = 0;  // bytes
        // The part of pending_ not yet delivered: pixels start .. end − 1.
        uint16_t pendingStart = 0, pendingEnd = 0;
        void clearTable();
    };
    CodeState code_;
    uint8_t block_[255] = {};  // the current data sub-block

    // String table (4096 entries), alive only while a code stream is decoded. An entry holds
    // its string's last pixels, up to a chunk of them, and links to the entry of the pixels
    // before: a string is copied a chunk at a time, following one link per chunk.
    static constexpr uint32_t kChunk = 8;  // pixels
    struct TableEntry {
        uint8_t tail[kChunk];  // the last (length − 1) % 8 + 1 colour indices, in order
        uint16_t link;         // the code whose string is this one without its tail
        uint16_t length;       // pixels, 1 .. 4096
    };
    static_assert(sizeof(TableEntry) == 12);
    std::unique_ptr<TableEntry[]> table_;
    // The colour indices of the row being decoded, and of a string that ran past the end of
    // the last row; each with room for a chunk's overrun.
    std::unique_ptr<uint8_t[]> row_;
    int32_t rowCapacity_ = 0;  // pixels
    std::unique_ptr<uint8_t[]> pending_;

    // The palette as output pixels, made once per header so rows only index them.
    uint16_t palette565_[256] = {};
    uint32_t palette32_[256] = {};
};
