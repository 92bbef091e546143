#pragma once

// Hand-built images in the older layout, written byte by byte from the layout tables
// (16-bit words and check words high byte first, 32-bit values low byte first), so that
// the decoder under test is never used to make its own input.

#include <array>
#include <cstdint>
#include <string>

#include "image.h"

namespace velmar::test {

class SectionWriter {
public:
    SectionWriter(Image& image, int offset) : image_(image), pos_(offset) {}

    void byte(int value)
    {
        const auto b = static_cast<std::uint8_t>(value);
        image_[pos_++] = b;
        sum_ = static_cast<std::uint16_t>(sum_ + b);
    }
    void word(int value)
    {  // high byte first
        byte((value >> 8) & 0xFF);
        byte(value & 0xFF);
    }
    void dword(std::uint32_t value)
    {
        for (int i = 0; i < 4; ++i)
            byte(static_cast<int>((value >> (8 * i)) & 0xFF));
    }
    void text(const std::string& s, int size)
    {
        for (int i = 0; i < size; ++i)
            byte(i < static_cast<int>(s.size()) ? s[i] : 0);
    }
    // The check word, high byte first; `damage` is added to it to make it wrong.
    void checkWord(int damage = 0)
    {
        const int sum = (sum_ + damage) & 0xFFFF;
        image_[pos_++] = static_cast<std::uint8_t>(sum >> 8);
        image_[pos_++] = static_cast<std::uint8_t>(sum & 0xFF);
    }
    int position() const { return pos_; }

private:
    Image& image_;
    int pos_;
    std::uint16_t sum_ = 0;
};

inline std::uint32_t quarterSeconds(int hour, int minute)
{
    return static_cast<std::uint32_t>(hour * 14400 + minute * 240);
}

// The raw fields of a main block of versions 0 to 5, in the order they are stored.
struct LegacyMainBlock {
    int version = 5;
    int typesA = 0, typesB = 0;
    int connectorWord = 0, connectorByte = 0;
    std::array<int, 22> eq{};
    int audioOutFormat = 0;
    std::array<int, 10> inputLevel{};
    int frontsSurrounds = 0x11, centerRears = 0x11, sub = 0x01;
    std::array<int, 4> cinemaCrossover{11, 11, 11, 11};  // versions 4-5
    int mainCrossover = 11;
    std::array<int, 8> distance{120, 120, 120, 80, 60, 60, 80, 120};
    std::array<int, 10> lipSync{};
    std::array<int, 8> level{};
    int bassPeak = 0, noiseReference = 0;
    std::array<int, 4> onVolume{-70, -28, -28, -28};
    std::array<int, 3> firstFurtherLevel{};
    std::array<int, 4> maxVolume{20, 0, 0, 8};
    int rs232 = 0x40;
    std::array<int, 2> ir{0x77, 0x77};
    std::array<int, 12> trigger{};
    int display0 = 5, display1 = 0x33, mainInfo = 31, zone2Info = 2, display3 = 0, skipped = 0;
    std::array<int, 3> tail{15, 10, 5};
    int wake = 0, options = 0;
    std::array<std::string, 10> sourceName{"DVD   ", "CD    ", "TAPE  ", "FM/AM ", "TV    ",
                                           "SAT   ", "VCR   ", "AUX   ", "2-Ch  ", "6-Ch  "};
    std::array<std::string, 5> zoneName{"MAIN", "ZONE2", "ZONE3", "HPHONE", "RECORD"};  // versions 4-5
    int timerFlags = 0;
    std::array<int, 3> timerMode{}, timerSource{3, 3, 3}, timerStation{};
    // Per zone: Timer 1 weekday, Timer 1 weekend, Timer 2 weekday, Timer 2 weekend.
    std::array<std::array<std::uint32_t, 4>, 3> onTime{}, offTime{};
    int componentVideo = 0xF5;      // versions 2-5
    int rears = 0, subOptions = 0;  // versions 4-5
    int fs = 0;                     // version 5

    void write(Image& image, int base, int checkDamage = 0) const
    {
        SectionWriter w(image, base);
        w.byte(version);
        w.byte(typesA);
        w.byte(typesB);
        w.word(connectorWord);
        w.byte(connectorByte);
        for (int v : eq)
            w.byte(v);
        w.byte(audioOutFormat);
        for (int v : inputLevel)
            w.word(v);
        w.byte(frontsSurrounds);
        w.byte(centerRears);
        w.byte(sub);
        if (version >= 4)
            for (int v : cinemaCrossover)
                w.byte(v);
        w.byte(mainCrossover);
        for (int v : distance)
            w.word(v);
        for (int v : lipSync)
            w.byte(v);
        for (int v : level)
            w.word(v);
        w.word(bassPeak);
        w.word(noiseReference);
        for (int v : onVolume)
            w.word(v);
        for (int v : firstFurtherLevel)
            w.word(v);
        for (int v : maxVolume)
            w.word(v);
        w.byte(rs232);
        for (int v : ir)
            w.byte(v);
        for (int v : trigger)
            w.word(v);
        for (int v : {display0, display1, mainInfo, zone2Info, display3, skipped})
            w.byte(v);
        for (int v : tail)
            w.byte(v);
        w.byte(wake);
        w.byte(options);
        for (const auto& name : sourceName)
            w.text(name, 7);
        if (version >= 4)
            for (const auto& name : zoneName)
                w.text(name, 7);
        w.byte(timerFlags);
        for (int z = 0; z < 3; ++z) {
            w.byte(timerMode[z]);
            w.byte(timerSource[z]);
            w.byte(timerStation[z]);
            for (auto t : onTime[z])
                w.dword(t);
        }
        for (int z = 0; z < 3; ++z)
            for (auto t : offTime[z])
                w.dword(t);
        if (version >= 2)
            w.byte(componentVideo);
        if (version >= 4) {
            w.byte(rears);
            w.byte(subOptions);
        }
        if (version == 5)
            w.byte(fs);
        w.checkWord(checkDamage);
    }
};

// A preset block of a version below 6: 24 whole frequencies.
inline void writeLegacyPresets(Image& image, int offset, const std::array<int, 24>& frequency, int version = 5)
{
    SectionWriter w(image, offset);
    w.byte(version);
    for (int f : frequency)
        w.word(f);
    w.checkWord();
}

}  // namespace velmar::test
