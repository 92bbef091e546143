// The older per-source records and their translation into current source records.
#include <array>

#include "bits.h"
#include "image_codec.h"
#include "image_cursor.h"
#include "legacy_layout.h"

namespace velmar {

namespace {

constexpr int kNewestLegacySourceVersion = 5;
bool hasWideSourceEntries(int version) { return version >= 4; }

// Mode codes of the older firmware, as pairs (T0, T1) for two-channel signals and
// (T2, T3) for multichannel ones; a record's position in the pair is the current code.
using ConversionTable = std::array<int, 20>;
constexpr ConversionTable kT0 = {0, 1, 2, 3, 4, 4, 5, 6, 6, 7, 7, 8, 9, 9, 10, 11, 12, 13, 14, 15};
constexpr ConversionTable kT1 = {0, 0, 0, 0, 0, 1, 0, 0, 2, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0};
constexpr ConversionTable kT2 = {0, 1, 1, 2, 3, 3, 0, 0, 0, 0, 4, 4, 5, 5, 6, 6, 9, 7, 8, 0};
constexpr ConversionTable kT3 = {0, 0, 3, 0, 0, 7, 3, 4, 5, 6, 0, 3, 0, 3, 0, 3, 0, 0, 0, 0};
constexpr int kTwoChannelSearch = 20;
constexpr int kMultichannelSearch = 19;

// Three-bit option codes of the older firmware spread over the current code range.
constexpr int kWiden[8] = {0, 3, 4, 5, 7, 8, 9, 10};

int lookup(const ConversionTable& t, const ConversionTable& u, int length, int a, int b)
{
    for (int j = 0; j < length; ++j)
        if (t[j] == a && u[j] == b)
            return j;
    return length;
}
int twoChannelCode(int a, int b) { return lookup(kT0, kT1, kTwoChannelSearch, a, b); }
int multichannelCode(int a, int b) { return lookup(kT2, kT3, kMultichannelSearch, a, b); }

int widen(int x) { return kWiden[x & 7]; }
// Older nibble codes skip two values above 4.
int skipGap(int n) { return n > 4 ? n + 2 : n; }
constexpr int kLargestNibbleCode = 14;

// Current record bytes that hold the mode presets (bits 0-4) and their options (bits 5-7).
enum PresetByte : int { kTwoCh = 6, kDd20 = 7, kDd51 = 8, kDts51 = 9, kDdEx = 10, kDtsEs = 11 };

class RecordConverter {
public:
    RecordConverter(SettingsStore& store, int source)
        : store_(store), source_(source), l_(store.set().legacySourceRecord[source])
    {
    }

    void run()
    {
        auto& record = store_.set().sourceRecord[source_];
        record[0] = l_[0];
        record[1] = l_[1];
        record[2] = l_[7] & 0x0F;
        twoChannel();
        dolby20();
        unitOptions();
        dts();
        dolby51();
    }

private:
    int legacy(int byte, int shift, int width) const { return bits::get(l_[byte], shift, width); }
    void put(int byte, int shift, int width, int value)
    {
        store_.setSourceRecordBits(source_, byte, shift, width, value);
    }
    void preset(int byte, int code) { put(byte, 0, 5, code); }
    void option(int byte, int value) { put(byte, 5, 3, value); }

    void twoChannel()
    {
        const int j = skipGap(legacy(2, 0, 4));
        if (j <= kLargestNibbleCode)
            put(3, 0, 4, j);
        option(kTwoCh, legacy(3, 5, 3));
        const int k = skipGap(legacy(2, 4, 4));
        if (k <= kLargestNibbleCode) {
            const int d = twoChannelCode(k, legacy(4, 0, 1));
            if (d < 19)
                preset(kTwoCh, d);
        }
        const int upper = skipGap(legacy(7, 4, 4));
        switch (legacy(5, 6, 2)) {
        case 3: put(3, 4, 4, 14); break;
        case 1:
        case 2: put(3, 4, 4, 4); break;
        default:
            if (upper <= kLargestNibbleCode)
                put(3, 4, 4, upper);
        }
    }

    void dolby20()
    {
        option(kDd20, legacy(3, 1, 1));
        const int f = legacy(4, 1, 1);
        const int upper = skipGap(legacy(7, 4, 4));
        int code = kTwoChannelSearch;
        switch (legacy(6, 6, 2)) {
        case 3: code = f ? 19 : 18; break;
        case 1:
        case 2: code = twoChannelCode(4, f); break;
        default:
            if (upper <= kLargestNibbleCode)
                code = twoChannelCode(upper, f);
        }
        if (code < kTwoChannelSearch)
            preset(kDd20, code);
    }

    void unitOptions()
    {
        const int g = widen(legacy(3, 5, 3));
        if (g < 8)
            option(kDts51, g);
        const int h = legacy(5, 3, 3);
        put(4, 0, 4, (h & 3) == 1 ? 4 : 0);
        put(5, 4, 4, 5);
        option(kDtsEs, (h & 4) ? 3 : 0);
    }

    void dts()
    {
        const int r = widen(legacy(4, 5, 3));
        const int t = legacy(6, 3, 3);
        if ((t & 3) == 3) {
            preset(kDts51, 16);
            preset(kDtsEs, 18);
            return;
        }
        const int code = multichannelCode((t & 3) == 1 ? 4 : 0, r);
        if (code <= 16)
            preset(kDts51, code);
        preset(kDtsEs, (t & 4) ? 13 : 12);
    }

    void dolby51()
    {
        const int v = widen(legacy(3, 2, 3));
        if (v < 8)
            option(kDd51, v);
        const int w = legacy(5, 0, 3);
        constexpr int kByte4High[4] = {0, 1, 0, 0};
        constexpr int kByte5Low[4] = {0, 1, 1, 1};
        put(4, 4, 4, kByte4High[w & 3]);
        put(5, 0, 4, kByte5Low[w & 3]);
        option(kDdEx, (w & 4) ? 3 : 0);

        const int y = v;
        const int z = legacy(6, 0, 3);
        const bool extended = (z & 4) != 0;
        if ((z & 3) == 3) {
            preset(kDd51, 16);
            preset(kDdEx, 17);
            return;
        }
        const int s = y == 7 ? 3 : 0;
        const int code = multichannelCode((z & 3) == 1 ? 1 : s, y);
        if (code <= 16)
            preset(kDd51, code);
        if ((z & 3) == 0)
            preset(kDdEx, extended ? 6 : 0);
        else
            preset(kDdEx, extended ? 2 : 1);
    }

    SettingsStore& store_;
    int source_;
    const LegacySourceRecord& l_;
};

}  // namespace

bool decodeLegacySourceSection(SettingsStore& store)
{
    ImageCursor in(store, kLegacySourceOffset);
    const int version = in.take();
    if (version > kNewestLegacySourceVersion)
        return false;
    for (int i = 0; i < kSourceCount; ++i) {
        auto& legacy = store.set().legacySourceRecord[i];
        in.skip(1);
        const unsigned b = in.take();
        store.setSourceRecordBits(i, 1, 3, 2, bits::get(b, 0, 2));
        // Also kept in the legacy record, whose byte 1 replaces the whole current byte 1 below.
        bits::put(legacy[1], 3, 2, bits::get(b, 0, 2));
        bits::put(legacy[2], 0, 4, bits::get(b, 2, 4));
        in.skip(1);
        if (!hasWideSourceEntries(version))
            continue;
        legacy[0] = in.take();
        bits::put(legacy[1], 0, 3, in.take() & 0x07);
    }
    if (!in.checkWordMatches())
        return false;
    convertLegacySourceRecords(store);
    return true;
}

void convertLegacySourceRecords(SettingsStore& store)
{
    for (int i = 0; i < kSourceCount; ++i)
        RecordConverter(store, i).run();
}

}  // namespace velmar
