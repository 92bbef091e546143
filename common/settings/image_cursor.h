#pragma once

// The serialisation cursor: every byte taken from ReadImage or put into WriteImage moves the
// store's position by one and adds to its running sum; check words move it but are not added.
// Internal to the codec and the legacy reader.

#include <cstdint>

#include "settings_store.h"

namespace velmar {

class ImageCursor {
public:
    ImageCursor(SettingsStore& store, int offset) : store_(store)
    {
        store_.imagePos = static_cast<std::uint16_t>(offset);
        store_.imageSum = 0;
    }

    std::uint8_t take()
    {
        const std::uint8_t b = store_.readImage[index()];
        ++store_.imagePos;
        store_.imageSum = static_cast<std::uint16_t>(store_.imageSum + b);
        return b;
    }
    std::int8_t takeSigned() { return static_cast<std::int8_t>(take()); }
    void skip(int count)
    {
        for (int i = 0; i < count; ++i)
            take();
    }
    std::uint16_t takeWord()
    {
        const unsigned first = take();
        const unsigned second = take();
        return static_cast<std::uint16_t>(store_.legacyLayout ? (first << 8) | second : first | (second << 8));
    }
    std::int16_t takeSignedWord() { return static_cast<std::int16_t>(takeWord()); }
    std::uint32_t takeDword()
    {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= static_cast<std::uint32_t>(take()) << (8 * i);
        return v;
    }
    // Compares the stored check word, in the image's byte order, with the sum so far.
    bool checkWordMatches() { return takeRawWord(store_.legacyLayout) == store_.imageSum; }
    // Either byte order; used where the unit has written both over its history.
    bool checkWordMatchesEitherOrder()
    {
        const std::uint16_t sum = store_.imageSum;
        const std::uint16_t lowFirst = takeRawWord(false);
        const auto highFirst = static_cast<std::uint16_t>((lowFirst >> 8) | (lowFirst << 8));
        return lowFirst == sum || highFirst == sum;
    }

    void put(int value)
    {
        const auto b = static_cast<std::uint8_t>(value);
        store_.writeImage[index()] = b;
        ++store_.imagePos;
        store_.imageSum = static_cast<std::uint16_t>(store_.imageSum + b);
    }
    void putWord(int value)
    {
        put(value & 0xFF);
        put((value >> 8) & 0xFF);
    }
    void putDword(std::uint32_t value)
    {
        for (int i = 0; i < 4; ++i)
            put(static_cast<int>((value >> (8 * i)) & 0xFF));
    }
    void putCheckWord()
    {
        const std::uint16_t sum = store_.imageSum;
        store_.writeImage[index()] = static_cast<std::uint8_t>(sum & 0xFF);
        ++store_.imagePos;
        store_.writeImage[index()] = static_cast<std::uint8_t>(sum >> 8);
        ++store_.imagePos;
    }

private:
    // Sections lie at fixed offsets inside the image; the mask only guards against wrap.
    std::size_t index() const { return store_.imagePos & (kImageSize - 1); }
    std::uint16_t takeRawWord(bool highFirst)
    {
        const unsigned first = store_.readImage[index()];
        ++store_.imagePos;
        const unsigned second = store_.readImage[index()];
        ++store_.imagePos;
        return static_cast<std::uint16_t>(highFirst ? (first << 8) | second : first | (second << 8));
    }

    SettingsStore& store_;
};

}  // namespace velmar
