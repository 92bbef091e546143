// Main blocks written by older firmware of the current layout (versions 6 to 12).
#include <gtest/gtest.h>

#include "codec_test_util.h"
#include "image_codec.h"

namespace velmar {
namespace {

constexpr int kDelayOffset = 91;
constexpr int kTailOffset = 230;

// A version-13 block re-shaped into an older version: one-byte delays up to 8, no
// brightness bytes for 8 to 12, the wake-up field one bit lower up to 7.
std::vector<std::uint8_t> olderBlock(const Image& image, int base, int version, bool corvalent)
{
    auto bytes = test::sectionBytes(image, base, 344);
    bytes[0] = static_cast<std::uint8_t>(version);
    if (version >= 8 && version <= 12)
        bytes.erase(bytes.begin() + kTailOffset, bytes.begin() + kTailOffset + 3);
    if (version <= 7 && !corvalent) {
        auto& wake = bytes[229];
        wake = static_cast<std::uint8_t>((wake & 0xE3) | (((wake >> 3) & 3) << 2));
    }
    if (version <= 8) {
        for (int i = 0; i < 10; ++i)
            bytes[kDelayOffset + i] = bytes[kDelayOffset + 2 * i];
        bytes.erase(bytes.begin() + kDelayOffset + 10, bytes.begin() + kDelayOffset + 20);
    }
    return bytes;
}

TEST(CodecVersions, OlderMainBlocksDecodeToTheSameSettings)
{
    for (ModelKind kind : {ModelKind::Qrx30, ModelKind::CorvalentD1}) {
        SettingsStore a;
        a.setModelKind(kind);
        for (int i = 0; i < kSourceCount; ++i)
            a.setSourceDelay(i, 10 + i);
        a.setSourceName(9, "LAST");
        a.setZoneName(4, "REC 2");
        a.setFrontPanelWakeUp(2);
        a.setDisplayUnitValue(1);
        a.setBrightness(0, 44);
        encodeMainBlock(a, kInstallerBase);

        for (int version = 6; version <= 12; ++version) {
            SettingsStore b;
            b.setModelKind(kind);
            test::placeSection(b.readImage, kInstallerBase,
                               olderBlock(a.writeImage, kInstallerBase, version, kind == ModelKind::CorvalentD1));
            ASSERT_TRUE(decodeMainBlock(b, kInstallerBase)) << "version " << version;
            EXPECT_EQ(b.sourceDelay(9), 19) << version;
            EXPECT_EQ(b.sourceName(9), "LAST") << version;
            EXPECT_EQ(b.zoneName(4), "REC 2") << version;
            EXPECT_EQ(b.frontPanelWakeUp(), 2) << version;
            EXPECT_EQ(b.displayUnitValue(), 1) << version;
            const bool tailRead = kind == ModelKind::CorvalentD1 && (version <= 7);
            EXPECT_EQ(b.brightness(0), tailRead ? 44 : 15) << version;
        }
    }
}

TEST(CodecVersions, DisplayBytesAreMasked)
{
    SettingsStore a;
    a.set().displayOptions = {0xF5, 0xFF, 0xFF, 0xCC, 0xFF, 0xE2, 0x7F};
    encodeMainBlock(a, kUserBase);
    SettingsStore b;
    b.readImage = a.writeImage;
    b.set().displayOptions[6] = 0x80;
    ASSERT_TRUE(decodeMainBlock(b, kUserBase));
    EXPECT_EQ(b.set().displayOptions, (std::array<std::uint8_t, 7>{0x05, 0x33, 0x33, 0x00, 0x1F, 0x02, 0x9F}));

    SettingsStore c;
    c.setModelKind(ModelKind::CorvalentD1);
    c.readImage = a.writeImage;
    ASSERT_TRUE(decodeMainBlock(c, kUserBase));
    EXPECT_EQ(c.set().displayOptions[6], 0x0F);
    EXPECT_EQ(c.set().displayTail, (std::array<std::uint8_t, 3>{15, 10, 5}));
}

TEST(CodecVersions, SpeakerRulesRunOnDecode)
{
    SettingsStore a;
    a.setSpeakerLevel(9, 6);
    a.setSpeakerSize(0, 0, 1);  // small Music fronts
    a.setSpeakerSize(0, 4, 0);  // and no Music subwoofer
    encodeMainBlock(a, kUserBase);
    SettingsStore b;
    b.readImage = a.writeImage;
    ASSERT_TRUE(decodeMainBlock(b, kUserBase));
    EXPECT_EQ(b.speakerLevel(9), 0) << "a positive bass peak level becomes 0";
    EXPECT_EQ(b.storedSpeakerSize(0, 4), 1);
}

TEST(CodecVersions, InstallerGivesAnUnsetBaudRateTheUnitRate)
{
    SettingsStore a;
    a.set().rs232Options = 0x05;
    encodeMainBlock(a, kUserBase);
    SettingsStore editor;
    editor.readImage = a.writeImage;
    ASSERT_TRUE(decodeMainBlock(editor, kUserBase));
    EXPECT_EQ(editor.set().rs232Options, 0x05);
    SettingsStore installer(Variant::Installer);
    installer.readImage = a.writeImage;
    ASSERT_TRUE(decodeMainBlock(installer, kUserBase));
    EXPECT_EQ(installer.set().rs232Options, 0x45);
}

TEST(CodecVersions, SourceBlocksOfVersions10To13)
{
    SettingsStore a;
    for (int i = 0; i < kSourceCount; ++i)
        a.set().sourceRecord[i].fill(static_cast<std::uint8_t>(i + 1));
    encodeSources(a, kUserBase + kSourceBlockOffset);
    const int at = kUserBase + kSourceBlockOffset;

    SettingsStore b;
    b.readImage = a.writeImage;
    ASSERT_TRUE(decodeSources(b, at));
    EXPECT_EQ(b.set().sourceRecord, a.set().sourceRecord);

    std::vector<std::uint8_t> v11{11};
    for (int i = 0; i < kSourceCount; ++i)
        for (int k = 0; k < 12; ++k)
            v11.push_back(static_cast<std::uint8_t>(0x20 + i));
    SettingsStore c;
    test::placeSection(c.readImage, at, v11);
    ASSERT_TRUE(decodeSources(c, at));
    EXPECT_EQ(c.set().sourceRecord[4][11], 0x24);
    EXPECT_EQ(c.set().sourceRecord[4][12], 4 | (4 << 3)) << "the video byte keeps its default";

    c.readImage[at] = 14;
    EXPECT_FALSE(decodeSources(c, at));
}

}  // namespace
}  // namespace velmar
