#include "pages/speakers/speaker_rules.h"

#include <algorithm>

#include "pages/speakers/speaker_texts.h"
#include "ui/page_builder.h"

namespace velmar::editor {

namespace {

constexpr int kNoSpeakers = 0;
constexpr int kMaxRoomHz = 160;
constexpr int kFilterDepths = 20;

}  // namespace

QStringList subwooferItems(bool advanced)
{
    return advanced ? ui::itemList(texts::kSubwooferAdvanced) : ui::itemList(texts::kSubwooferBasic);
}

int convertSubwooferChoice(int choice, bool toAdvanced)
{
    if (toAdvanced)
        return choice == 2 || choice == 4 ? 1 : 0;  // "2 Sub" / "2 Super" -> "2 Sub"
    return choice == 1 ? 2 : 1;
}

QStringList rearsItems(int surrounds)
{
    return surrounds == kNoSpeakers ? QStringList{texts::kSpeakerSizes[0]} : ui::itemList(texts::kSpeakerSizes);
}

int roomFrequencyLimit(const SpeakerConfigRecord& record)
{
    int index = record.cinema.subCrossover;
    if (!record.musicSameAsCinema)
        index = std::max(index, record.music.subCrossover);
    return std::min(index * 5 + 25, kMaxRoomHz);
}

QStringList filterDepthItems()
{
    QStringList items;
    for (int db = 1; db <= kFilterDepths; ++db)
        items << QString::asprintf("%d %s", db, texts::kDb);
    return items;
}

}  // namespace velmar::editor
